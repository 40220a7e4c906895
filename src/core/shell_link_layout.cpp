#include "core/shell_link_layout.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace core {
namespace {

constexpr size_t kHeaderSize = 0x4C;
// The shell link class, {00021401-0000-0000-C000-000000000046}, as it is stored.
constexpr std::array<unsigned char, 16> kLinkClass = {
    0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};
constexpr size_t kClassAt = 4;
constexpr size_t kFlagsAt = 20;

constexpr uint32_t kHasItemList = 0x01;
constexpr uint32_t kHasLinkInfo = 0x02;
constexpr uint32_t kIsUnicode = 0x80;
// The five counted texts, in their order in the file: name, relative path, working folder,
// arguments, icon location.
constexpr uint32_t kTextFlags[] = {0x04, 0x08, 0x10, 0x20, 0x40};

constexpr size_t kLinkInfoMinHeader = 0x1C;
constexpr size_t kLinkInfoUnicodeHeader = 0x24;

// Little-endian reads at an offset the caller has checked.
uint32_t U16(std::string_view b, size_t at) {
    return static_cast<uint32_t>(static_cast<unsigned char>(b[at])) |
           static_cast<uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8;
}
uint32_t U32(std::string_view b, size_t at) {
    return U16(b, at) | U16(b, at + 2) << 16;
}

// Steps over the item list at `at`; false when it does not fit or its items do not add up.
bool SkipItemList(std::string_view b, size_t& at) {
    if (b.size() - at < 2) return false;
    const size_t size = U16(b, at);
    at += 2;
    if (b.size() - at < size) return false;
    const std::string_view list = b.substr(at, size);
    size_t item = 0;
    for (;;) {
        if (list.size() - item < 2) return false;
        const size_t itemSize = U16(list, item);
        if (itemSize == 0) break;  // the terminal item
        if (itemSize < 2 || list.size() - item < itemSize) return false;
        item += itemSize;
    }
    at += size;  // a writer may leave room after the terminal item
    return true;
}

bool SkipLinkInfo(std::string_view b, size_t& at) {
    if (b.size() - at < 8) return false;
    const size_t size = U32(b, at);
    const size_t headerSize = U32(b, at + 4);
    if (size < kLinkInfoMinHeader || b.size() - at < size) return false;
    if (headerSize < kLinkInfoMinHeader || headerSize > size) return false;
    // Volume, local base path, network link, common path suffix; then the two wide forms when
    // the header is long enough to hold their offsets. An offset of zero is an absent part.
    const size_t offsetCount = headerSize >= kLinkInfoUnicodeHeader ? 6 : 4;
    for (size_t i = 0; i < offsetCount; ++i) {
        const size_t offset = U32(b, at + 12 + 4 * i);
        if (offset != 0 && (offset < headerSize || offset >= size)) return false;
    }
    at += size;
    return true;
}

bool SkipTexts(std::string_view b, size_t& at, uint32_t flags) {
    const size_t unit = flags & kIsUnicode ? 2 : 1;
    for (const uint32_t flag : kTextFlags) {
        if (!(flags & flag)) continue;
        if (b.size() - at < 2) return false;
        const size_t bytes = U16(b, at) * unit;
        at += 2;
        if (b.size() - at < bytes) return false;
        at += bytes;
    }
    return true;
}

bool ExtraDataFits(std::string_view b, size_t at) {
    while (b.size() - at >= 4) {
        const size_t size = U32(b, at);
        if (size < 4) return true;  // the terminal block
        if (size < 8 || b.size() - at < size) return false;
        at += size;
    }
    return true;  // ended without a terminal block: older writers leave it out
}

}  // namespace

bool IsWholeShellLink(std::string_view bytes) {
    if (bytes.size() < kHeaderSize || U32(bytes, 0) != kHeaderSize) return false;
    for (size_t i = 0; i < kLinkClass.size(); ++i)
        if (static_cast<unsigned char>(bytes[kClassAt + i]) != kLinkClass[i]) return false;
    const uint32_t flags = U32(bytes, kFlagsAt);
    size_t at = kHeaderSize;
    if ((flags & kHasItemList) && !SkipItemList(bytes, at)) return false;
    if ((flags & kHasLinkInfo) && !SkipLinkInfo(bytes, at)) return false;
    return SkipTexts(bytes, at, flags) && ExtraDataFits(bytes, at);
}

}  // namespace core
