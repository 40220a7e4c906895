#pragma once
// The clipboard.

namespace platform {

// Empties the clipboard, whatever it holds. False when it could not be opened or emptied.
bool EmptyClipboardNow();

}  // namespace platform
