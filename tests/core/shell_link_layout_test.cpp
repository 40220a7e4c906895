#include "core/shell_link_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace {

constexpr uint32_t kItemList = 0x01, kLinkInfo = 0x02, kArguments = 0x20, kUnicode = 0x80;

void PutU16(std::string& s, uint32_t v) {
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>((v >> 8) & 0xFF);
}
void PutU32(std::string& s, uint32_t v) {
    PutU16(s, v & 0xFFFF);
    PutU16(s, v >> 16);
}

std::string Header(uint32_t flags) {
    std::string h;
    PutU32(h, 0x4C);
    const unsigned char linkClass[16] = {0x01, 0x14, 0x02, 0, 0, 0, 0, 0,
                                         0xC0, 0,    0,    0, 0, 0, 0, 0x46};
    h.append(reinterpret_cast<const char*>(linkClass), 16);
    PutU32(h, flags);
    h.resize(0x4C, '\0');
    return h;
}

// An item list of items with these payloads; `listSize` overrides the size the list declares.
std::string ItemList(const std::vector<std::string>& payloads, int listSize = -1,
                     bool terminal = true) {
    std::string items;
    for (const std::string& p : payloads) {
        PutU16(items, static_cast<uint32_t>(p.size() + 2));
        items += p;
    }
    if (terminal) PutU16(items, 0);
    std::string list;
    PutU16(list, listSize < 0 ? static_cast<uint32_t>(items.size()) : listSize);
    return list + items;
}

// Link info of the short header with a local base path; `size`, `headerSize` and the path's
// offset can be set wrong.
std::string LinkInfo(uint32_t size = 0, uint32_t headerSize = 0x1C, uint32_t pathOffset = 0x1C) {
    const std::string path = "C:\\a.exe";
    const uint32_t whole = size ? size : static_cast<uint32_t>(0x1C + path.size() + 1);
    std::string info;
    PutU32(info, whole);
    PutU32(info, headerSize);
    PutU32(info, 1);  // flags: a volume and a local path
    PutU32(info, 0);  // volume (absent here)
    PutU32(info, pathOffset);
    PutU32(info, 0);
    PutU32(info, 0);
    info += path;
    info += '\0';
    return info;
}

std::string Text(uint32_t count, size_t bytes) {
    std::string t;
    PutU16(t, count);
    return t + std::string(bytes, 'x');
}

std::string Block(uint32_t size) {
    std::string b;
    PutU32(b, size);
    PutU32(b, 0xA0000001);
    b.resize(std::max<size_t>(size, 8), '\0');
    return b;
}

std::string Terminal() {
    std::string t;
    PutU32(t, 0);
    return t;
}

struct Case {
    const char* name;
    std::string bytes;
    bool whole;
};

TEST(ShellLinkLayout, SectionsMustLieWholeInsideTheFile) {
    std::string wrongSize = Header(0);
    wrongSize[0] = 0x4D;
    std::string wrongClass = Header(0);
    wrongClass[4] = 0x02;
    const std::string items = ItemList({"\x1f\x50 folder", "\x32 file.exe"});
    const Case cases[] = {
        {"no section at all", Header(0), true},
        {"shorter than the header", Header(0).substr(0, 75), false},
        {"empty", "", false},
        {"another header size", wrongSize, false},
        {"another class", wrongClass, false},
        {"an item list", Header(kItemList) + items, true},
        {"an empty item list", Header(kItemList) + ItemList({}), true},
        {"room after the terminal item",
         Header(kItemList) + ItemList({"ab"}, 10) + std::string(4, '\0'), true},
        {"the item list cut short", Header(kItemList) + items.substr(0, items.size() - 1), false},
        {"no item list where one is announced", Header(kItemList), false},
        {"an item beyond its list", Header(kItemList) + ItemList({"abcdef"}, 6), false},
        {"no terminal item", Header(kItemList) + ItemList({"ab"}, -1, false), false},
        {"an item of size one", Header(kItemList) + std::string("\x05\x00\x01\x00xyz\0\0", 9),
         false},
        {"link info", Header(kLinkInfo) + LinkInfo(), true},
        {"link info beyond the end", Header(kLinkInfo) + LinkInfo(200), false},
        {"link info smaller than its header", Header(kLinkInfo) + LinkInfo(0x10), false},
        {"a link info header beyond its size", Header(kLinkInfo) + LinkInfo(0, 0x40), false},
        {"a path offset beyond the link info", Header(kLinkInfo) + LinkInfo(0, 0x1C, 0x400), false},
        {"a path offset inside the header", Header(kLinkInfo) + LinkInfo(0, 0x1C, 0x08), false},
        {"a wide text", Header(kArguments | kUnicode) + Text(3, 6), true},
        {"a wide text cut short", Header(kArguments | kUnicode) + Text(3, 5), false},
        {"a narrow text counts bytes", Header(kArguments) + Text(3, 3), true},
        {"a text count beyond the end", Header(kArguments) + Text(0xFFFF, 10), false},
        {"every section",
         Header(kItemList | kLinkInfo | kArguments | kUnicode) + items + LinkInfo() + Text(2, 4) +
             Block(16) + Terminal(),
         true},
        {"extra data without its terminal block", Header(0) + Block(12), true},
        {"extra data beyond the end", Header(0) + Block(12).substr(0, 10), false},
        {"an extra data block too small to be one", Header(0) + Block(6) + Terminal(), false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(core::IsWholeShellLink(c.bytes), c.whole) << c.name;
}

}  // namespace
