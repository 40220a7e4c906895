#include "privacy/file_shredder.h"

#include "platform/overwrite.h"

namespace privacy {

ShredOutcome ShredFile(const std::string& fullName, std::string_view overwrite) {
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
    }
    return fullName;
}

}  // namespace privacy
