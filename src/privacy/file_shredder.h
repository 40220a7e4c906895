#pragma once
// The shredder's work on one file and the texts it reports, apart from the page.
#include <string>
#include <string_view>

namespace privacy {

// The overwrite file beside the exe; its bytes (zeros) are written over each file shredded.
inline constexpr char kOverwriteFile[] = "0000";

enum class ShredOutcome {
    Crushed,         // overwritten, flushed and deleted
    NotOpened,       // untouched: missing, read-only or in use
    NotOverwritten,  // a write failed part-way; the file is still there
    NotDeleted,      // overwritten and flushed, but the file is still there
    ThroughLink,     // untouched: the name leads to another file, which would be overwritten
};

// Overwrites the file with `overwrite` repeated over its whole length, then deletes it. A name
// that reaches its file only through a link is left alone.
ShredOutcome ShredFile(const std::string& fullName, std::string_view overwrite);

// Only a crushed file leaves the shredder's list: the others are still on the disk.
inline bool LeavesList(ShredOutcome outcome) {
    return outcome == ShredOutcome::Crushed;
}
// The report line for one entry.
std::string ShredReportLine(const std::string& fullName, ShredOutcome outcome);

inline constexpr char kShredderCaption[] = "File Shreder";
inline constexpr char kShredderDescription[] =
    "File Shredder: If you want to earse some secret files, please use File Shredder. It can "
    "cover the files you want to delete with the binary zero, and then delete them. In this way "
    "even somebody can recover what you have deleted, he will only get useless characters. ";
inline constexpr char kFilesToCrush[] = "Files you want crush: ";
inline constexpr char kAddFiles[] = "Add Files";
inline constexpr char kDeleteEntry[] = "Delete";
inline constexpr char kCrush[] = "Crush!";
inline constexpr char kShredderOK[] = "OK";
inline constexpr char kCrushQuestion[] =
    "All files crushed by File Shredder will lose for ever, continue?";
inline constexpr char kCrushCaption[] = "Veltrin Warning!     ";
inline constexpr char kNoOverwriteFile[] =
    "The overwrite file \"0000\" beside Veltrin is missing or empty. No file was crushed.";
inline constexpr char kShredderErrorCaption[] = "Veltrin";

}  // namespace privacy
