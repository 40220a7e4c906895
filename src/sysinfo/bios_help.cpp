#include "sysinfo/bios_help.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

#include "platform/file_walk.h"
#include "platform/files.h"
#include "platform/folder_ops.h"

namespace sysinfo {

namespace {

constexpr uint32_t kErrorInvalidParameter = 87;

// Undoes the steps of the DOS method in reverse, whichever step it ends at.
class DumpFolder {
  public:
    explicit DumpFolder(std::string path) : path_(std::move(path)) {}
    ~DumpFolder() {
        for (const auto& file : files_)
            platform::RemoveFile(file);
        platform::RemoveFolder(path_);
    }
    DumpFolder(const DumpFolder&) = delete;
    DumpFolder& operator=(const DumpFolder&) = delete;

    std::string File(const char* name) {
        files_.push_back(platform::JoinPath(path_, name));
        return files_.back();
    }

  private:
    std::string path_;
    std::vector<std::string> files_;
};

std::optional<BiosImage> LoadFresh(const platform::BiosSource& source) {
    BiosImage image;
    if (!LoadBiosImage(source, image, kBiosReadAuto, kBiosDumpTimeoutMs)) return std::nullopt;
    return image;
}

std::string TextAt(const platform::BiosSource& source, uint32_t address) {
    const auto image = LoadFresh(source);
    return image ? BiosTextAt(*image, address) : kBiosFailureText;
}

}  // namespace

bool LoadBiosImage(const platform::BiosSource& source, BiosImage& image, int method,
                   uint32_t timeoutMs) {
    switch (method) {
        case kBiosReadAuto:
            // A faulting direct copy answers false rather than raising, so nothing falls back
            // from it.
            return source.Is95Family() ? CopyBiosImageDirect(source, image)
                                       : MapBiosImageSection(source, image, timeoutMs);
        case kBiosReadDos:
            return DumpBiosImageViaDos(source, image, timeoutMs);
        case kBiosReadDirect:
            return CopyBiosImageDirect(source, image);
        case kBiosReadSection:
            return MapBiosImageSection(source, image, timeoutMs);
    }
    source.SetLastError(kErrorInvalidParameter);
    return false;
}

bool CopyBiosImageDirect(const platform::BiosSource& source, BiosImage& image) {
    image.fill(std::byte{0});
    return source.CopyLinearArea(image);
}

bool MapBiosImageSection(const platform::BiosSource& source, BiosImage& image, uint32_t timeoutMs) {
    switch (source.ReadPhysicalSection(image)) {
        case platform::SectionRead::Copied:
            return true;
        case platform::SectionRead::AccessDenied:
            return DumpBiosImageViaDos(source, image, timeoutMs);
        case platform::SectionRead::NotAvailable:
        case platform::SectionRead::Refused:
        case platform::SectionRead::MapFailed:
            break;
    }
    return false;
}

bool DumpBiosImageViaDos(const platform::BiosSource& source, BiosImage& image, uint32_t timeoutMs) {
    std::string temp = source.TempFolder();
    if (temp.empty()) return false;
    if (temp.back() != '\\') temp += '\\';
    std::string folderPath;
    for (unsigned n = 1;; ++n) {
        folderPath = temp + "~RomDmp" + std::to_string(n);
        if (!IsExistingFolder(folderPath)) break;
    }
    if (!platform::CreateFolder(folderPath)) return false;
    DumpFolder folder(folderPath);

    const std::string program = folder.File("RomDump.com");
    const std::string output = folder.File("Rom.dmp");
    if (!WriteBiosDumpProgram(program)) return false;
    if (!source.RunCommandHidden(program, output, timeoutMs)) return false;

    const auto bytes = platform::ReadFileStart(output, image.size());
    if (!bytes) return false;
    image.fill(std::byte{0});
    const size_t n = std::min(bytes->size(), image.size());
    std::memcpy(image.data(), bytes->data(), n);
    return n == image.size();
}

bool WriteBiosDumpProgram(const std::string& path) {
    const auto program = BiosDumpProgram();
    const bool ok = platform::WriteFileInOneWrite(
        path, std::string_view(reinterpret_cast<const char*>(program.data()), program.size()));
    if (!ok) platform::RemoveFile(path);
    return ok;
}

bool IsExistingFolder(const std::string& path) {
    return platform::DirectoryExists(path);
}

std::string BiosNameText(const platform::BiosSource& s) {
    return TextAt(s, kBiosNameAddress);
}
std::string BiosCopyrightText(const platform::BiosSource& s) {
    return TextAt(s, kBiosCopyrightAddress);
}
std::string BiosVersionText(const platform::BiosSource& s) {
    return TextAt(s, kBiosVersionAddress);
}
std::string BiosDateText(const platform::BiosSource& s) {
    return TextAt(s, kBiosDateAddress);
}
std::string BiosIDText(const platform::BiosSource& s) {
    return TextAt(s, kBiosIdAddress);
}

BiosTexts ReadBiosTexts(const platform::BiosSource& source) {
    const auto image = LoadFresh(source);
    return image ? BiosTextsOf(*image) : FailedBiosTexts();
}

}  // namespace sysinfo
