#pragma once
// Moving a file to the recycle bin through the shell.
#include <string>

namespace platform {

// One SHFileOperation FO_DELETE with FOF_ALLOWUNDO | FOF_SILENT, plus FOF_NOCONFIRMATION when
// `confirm` is false. True only when the shell reports success and the file is really gone.
bool SendToRecycleBin(const std::string& fullName, bool confirm);

}  // namespace platform
