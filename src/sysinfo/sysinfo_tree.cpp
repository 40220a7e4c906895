#include "sysinfo/sysinfo_tree.h"

#include <cinttypes>
#include <cstdio>

#include "core/number_text.h"

namespace sysinfo {

namespace {

// Code points of a UTF-8 text; bytes that start no valid sequence count as one each.
template <typename F>
void ForEachCodePoint(std::string_view s, F f) {
    for (size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        size_t len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 1;
        if (i + len > s.size()) len = 1;
        uint32_t cp = len == 1 ? c : c & (0xFF >> (len + 1));
        for (size_t k = 1; k < len; ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
        f(cp);
        i += len;
    }
}

size_t Utf16Units(std::string_view utf8) {
    size_t n = 0;
    ForEachCodePoint(utf8, [&](uint32_t cp) { n += cp >= 0x10000 ? 2 : 1; });
    return n;
}

std::string UpToNul(std::string_view s) {
    return std::string(s.substr(0, s.find('\0')));
}

// A label padded with spaces to the common width, so values line up in a fixed-pitch font.
std::string Label(std::string_view label) {
    std::string out(label);
    for (size_t c = DisplayColumns(out); c < kLabelColumns; ++c)
        out += ' ';
    return out;
}

std::string Unsigned(uint64_t v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%" PRIu64, v);
    return buf;
}

class Builder {
  public:
    int Add(int parent, std::string text, int image = 0) {
        nodes_.push_back({std::move(text), parent, image});
        return static_cast<int>(nodes_.size() - 1);
    }
    void Leaf(int parent, std::string_view label, std::string_view value,
              std::string_view unit = {}) {
        Add(parent, Label(label) + UpToNul(value) + std::string(unit));
    }
    std::vector<SysInfoNode> Take() { return std::move(nodes_); }

  private:
    std::vector<SysInfoNode> nodes_;
};

}  // namespace

size_t DisplayColumns(std::string_view utf8) {
    size_t n = 0;
    ForEachCodePoint(utf8, [&](uint32_t cp) {
        const bool wide = cp == 0x3000 || (cp >= 0xFF01 && cp <= 0xFF60) ||
                          (cp >= 0xFFE0 && cp <= 0xFFE6) || (cp >= 0x4E00 && cp <= 0x9FFF);
        n += wide ? 2 : 1;
    });
    return n;
}

std::string TextWithinLimit(const std::optional<std::string>& text, size_t maxChars) {
    if (!text) return {};
    std::string value = UpToNul(*text);
    return Utf16Units(value) <= maxChars ? value : std::string();
}

std::string ComputerNameText(const platform::SystemQueries& system) {
    return TextWithinLimit(system.Text(platform::SystemText::ComputerName), kComputerNameLimit);
}
std::string WindowsFolderText(const platform::SystemQueries& system) {
    return TextWithinLimit(system.Text(platform::SystemText::WindowsFolder), kFolderLimit);
}
std::string SystemFolderText(const platform::SystemQueries& system) {
    return TextWithinLimit(system.Text(platform::SystemText::SystemFolder), kFolderLimit);
}
std::string UserNameText(const platform::SystemQueries& system) {
    return TextWithinLimit(system.Text(platform::SystemText::UserName), kUserNameLimit);
}
std::string TempFolderText(const platform::SystemQueries& system) {
    return TextWithinLimit(system.Text(platform::SystemText::TempFolder), kFolderLimit);
}

std::vector<SysInfoNode> SysInfoTreeNodes(const SysInfoValues& v,
                                          std::string_view decimalSeparator) {
    Builder b;
    const int root = b.Add(-1, "My Computer", kImageMyComputer);
    b.Add(root, "Other", kImageOther);
    b.Add(root, "Network", kImageNetwork);
    const int drivers = b.Add(root, "Drivers", kImageDrivers);
    // A real full-width colon, counted two columns wide.
    b.Leaf(drivers, "SectorsPerTrack\xEF\xBC\x9A", Unsigned(v.disk.sectorsPerTrack));
    b.Leaf(drivers, "SectorCapacity\xEF\xBC\x9A", Unsigned(v.disk.capacitySectors));
    b.Leaf(drivers, "TotalAddressableSectors:", Unsigned(v.disk.totalAddressableSectors));
    b.Leaf(drivers, "HDD ID:", v.disk.serialNumber);
    b.Leaf(drivers, "HDD Ver:", v.disk.firmware);
    b.Leaf(drivers, "HDD Model:", v.disk.model);

    const int ram = b.Add(root, "RAM", kImageRam);
    const auto& m = v.memory;
    b.Leaf(ram, "Total Virtual RAM:", Unsigned(m.totalVirtual), "Bytes");
    b.Leaf(ram, "Free Virtual RAM:", Unsigned(m.availVirtual), "Bytes");
    b.Leaf(ram, "Free Paging File:", Unsigned(m.availPageFile), "Bytes");
    b.Leaf(ram, "Total Paging File:", Unsigned(m.totalPageFile), "Bytes");
    b.Leaf(ram, "Free RAM:", Unsigned(m.availPhys), "Bytes");
    b.Leaf(ram, "Used RAM:", Unsigned(m.memoryLoad), "%");
    b.Leaf(ram, "Total RAM:", Unsigned(m.totalPhys), "Bytes");

    const int sys = b.Add(root, "System Information", kImageSystemInformation);
    b.Leaf(sys, "Screen Refresh Rate:", std::to_string(v.refreshRate));
    b.Leaf(sys, "Adapter Type:", v.adapterType);
    b.Leaf(sys, "BIOS Name:", v.bios.name);
    b.Leaf(sys, "BIOS Copyright:", v.bios.copyright);
    b.Leaf(sys, "BIOS Version:", v.bios.version);
    b.Leaf(sys, "BIOS Date:", v.bios.date);
    b.Leaf(sys, "BIOS ID:", v.bios.id);
    b.Leaf(sys, "CPU Cpeed:", core::FormatWithSeparator("%.15g", v.cpuMHz, decimalSeparator),
           "MHz");
    b.Leaf(sys, "CPU Type:", v.cpuType);
    b.Leaf(sys, "TEMP Path:", v.tempPath);
    b.Leaf(sys, "System  Path:", v.systemPath);
    b.Leaf(sys, "Windows Path:", v.windowsPath);
    b.Leaf(sys, "Current User:", v.currentUser);
    b.Leaf(sys, "Registered Organization:", v.registeredOrganization);
    b.Leaf(sys, "Product Name:", v.productName);
    b.Leaf(sys, "Product ID:", v.productId);
    b.Leaf(sys, "Windows Version:", v.windowsVersion);
    b.Leaf(sys, "Computer Name:", v.computerName);
    return b.Take();
}

std::vector<DisplayedNode> DisplayOrder(const std::vector<SysInfoNode>& nodes) {
    // Inserting each node first among its siblings shows the siblings newest first.
    std::vector<std::vector<size_t>> children(nodes.size() + 1);
    const auto slot = [&](int parent) { return parent < 0 ? nodes.size() : size_t(parent); };
    for (size_t i = 0; i < nodes.size(); ++i) {
        if (nodes[i].parent >= static_cast<int>(i)) continue;  // a parent comes before its child
        auto& list = children[slot(nodes[i].parent)];
        list.insert(list.begin(), i);
    }
    std::vector<DisplayedNode> out;
    const auto walk = [&](auto&& self, size_t parentSlot, int depth) -> void {
        for (size_t child : children[parentSlot]) {
            out.push_back({child, depth});
            self(self, child, depth + 1);
        }
    };
    walk(walk, nodes.size(), 0);
    return out;
}

}  // namespace sysinfo
