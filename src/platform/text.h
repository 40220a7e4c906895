#pragma once
// UTF-8 inside the program, UTF-16 at the Win32 boundary, ANSI code page for fixed byte layouts.
#include <string>
#include <string_view>

namespace platform {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

// The system's ANSI code page, for files whose byte layout is fixed.
std::string ToAnsi(std::string_view utf8);
std::string FromAnsi(std::string_view ansi);

}  // namespace platform
