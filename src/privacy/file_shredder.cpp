#include "privacy/file_shredder.h"

#include <windows.h>

#include "platform/file_identity.h"
#include "platform/file_walk.h"
#include "platform/overwrite.h"

namespace privacy {

ShredOutcome ShredFile(const std::string& fullName, std::string_view overwrite) {
    // Under Wine a file link looks like a plain file, and writing through it reaches the file
    // it points to, which may lie anywhere.
    if (!platform::IsFileReachedByItsOwnName(fullName)) {
        const DWORD attributes = platform::FileAttributes(fullName);
        const bool plainEntry =
            attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
        return plainEntry ? ShredOutcome::ThroughLink : ShredOutcome::NotOpened;
    }
    switch (platform::OverwriteFileInPlace(fullName, overwrite)) {
        case platform::OverwriteResult::NotOpened:
            return ShredOutcome::NotOpened;
        case platform::OverwriteResult::WriteFailed:
            return ShredOutcome::NotOverwritten;
        case platform::OverwriteResult::Done:
            break;
    }
    return platform::DeleteOneFile(fullName) ? ShredOutcome::Crushed : ShredOutcome::NotDeleted;
}

std::string ShredReportLine(const std::string& fullName, ShredOutcome outcome) {
    switch (outcome) {
        case ShredOutcome::Crushed:
            return fullName + " Crushed!";
        case ShredOutcome::NotOpened:
            return fullName + " Not crushed! It cannot be opened (missing, read-only or in use).";
        case ShredOutcome::NotOverwritten:
            return fullName + " Not crushed! It could not be overwritten to its end.";
        case ShredOutcome::NotDeleted:
            return fullName + " Overwritten, but not deleted! It is still on the disk.";
        case ShredOutcome::ThroughLink:
            return fullName +
                   " Not crushed! It is a link: crushing it would overwrite the file it points to.";
    }
    return fullName;
}

}  // namespace privacy
