#pragma once
// Whether a path names a file by its own name, and not through a link to some other file.
#include <string>

namespace platform {

// True when `path` is an existing file that is neither a folder nor a reparse point (a symbolic
// link, a junction) and whose final path, with every link along it resolved, is `path` itself.
// A file that cannot be opened to find out is not vouched for either. Callers that change or
// remove a file by name check this first: Wine shows a file link as a plain file and deletes or
// changes what it points to.
bool IsFileReachedByItsOwnName(const std::string& path);

// Deletes the file when it is reached by its own name, through the very handle that was checked,
// so that a link put in its place meanwhile is not followed. With `clearAttributes` a read-only,
// hidden or system file loses those attributes first, and gets them back when it stays. False
// when the file was not vouched for or stays.
bool DeleteFileReachedByItsOwnName(const std::string& path, bool clearAttributes);

}  // namespace platform
