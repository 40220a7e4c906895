#pragma once
// The junk walk: every file of a folder (and its subfolders) whose extension a checked junk
// type gives. Data in, callbacks out: the caller owns the list, the counters and the pacing.
#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "disk/junk_match.h"

namespace disk {

struct JunkWalkEvents {
    // Every file looked at, before it is matched.
    std::function<void(std::wstring_view folder, const WIN32_FIND_DATAW& entry)> onFile;
    // A file the types select, once for each type that selects it.
    std::function<void(std::wstring_view folder, const WIN32_FIND_DATAW& entry)> onFind;
    // After every file and after every subfolder; false after a file ends the walk.
    std::function<bool()> onTick;
};

// Walks `folder` (a full path ending in "\") for files of `mask`, into subfolders when
// `recurse`; folders that are reparse points are never entered. `types` is read at every file,
// so the caller may change it from a callback. False when onTick ended the walk in this folder.
bool WalkJunkFiles(std::wstring_view mask, const std::wstring& folder, bool recurse,
                   const JunkExtensionTable& types, const JunkWalkEvents& events);

}  // namespace disk
