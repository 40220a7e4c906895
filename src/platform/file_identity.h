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

}  // namespace platform
