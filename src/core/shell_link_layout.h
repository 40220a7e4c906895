#pragma once
// The layout of a shell link (.lnk) file: a 76-byte header naming the shell link class, then the
// sections its flags announce (item list, link info, five counted texts, extra data blocks), each
// carrying its own size. Pure logic: no Windows header, so it builds and can be fuzzed natively.
#include <string_view>

namespace core {

// True when the bytes are a shell link whose every section lies whole inside them: the header's
// size and class, an item list whose items end in the terminal item inside its size, link
// info whose header and offsets lie inside its size, texts inside the file, extra data blocks
// inside the file up to the terminal block or the end. Says nothing about what the sections hold.
bool IsWholeShellLink(std::string_view bytes);

}  // namespace core
