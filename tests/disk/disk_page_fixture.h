#pragma once
// The disk cleaner page hosted on its own over a temporary program folder, with the drives
// described by the test and HKEY_CURRENT_USER redirected.
#include <windows.h>

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "disk/disk_cleaner_page.h"
#include "disk/junk_types.h"
#include "platform/drives.h"
#include "platform/files.h"
#include "platform/text.h"
#include "support/page_fixture.h"
#include "support/shipped_data.h"

namespace disk_testing {

struct ResultRow {
    std::string name, size, path;
    bool checked;
};

class DiskPageTest : public testing_support::PageTest {
  protected:
    DiskPageTest() {}

    // The window with the disk cleaner page shown. The junk types are those given, written as
    // the working list, unless `types` is null.
    disk::DiskCleanerPage& OpenPage(const std::vector<disk::JunkRecord>* types = nullptr) {
        if (types) {
            // The list file holds the ANSI code page.
            std::vector<disk::JunkRecord> ansi;
            for (const auto& t : *types)
                ansi.push_back(
                    {platform::ToAnsi(t.type), platform::ToAnsi(t.description), t.checked});
            folder.Write(disk::kJunkTypeFile, disk::EncodeJunkTypeList(ansi));
        }
        page_ = &PageTest::OpenPage<disk::DiskCleanerPage>();
        return Page();
    }
    disk::DiskCleanerPage& OpenPageWith(std::vector<disk::JunkRecord> types) {
        return OpenPage(&types);
    }
    disk::DiskCleanerPage& Page() { return *page_; }
    void ShipDefaultList() {
        folder.Write(disk::kDefaultJunkFile, testing_support::ShippedData().at("DefaultJunk.lst"));
    }

    // The fixture tree lives under "tree" in the program folder.
    std::string Tree(const std::string& relative = "") const {
        return relative.empty() ? folder.File("tree") : folder.File("tree\\" + relative);
    }
    std::string MakeFile(const std::string& relative, const std::string& bytes = "junk",
                         DWORD attributes = 0) const {
        const std::string path = folder.Write("tree\\" + relative, bytes);
        if (attributes) SetFileAttributesW(platform::Widen(path).c_str(), attributes);
        return path;
    }
    // A chain of folders under the tree whose path is longer than MAX_PATH, made through the
    // "\\?\" form; returns that form of the deepest folder. Removed at the end of the test.
    std::wstring MakeLongFolder(const std::string& relative) {
        std::wstring path = L"\\\\?\\" + platform::Widen(Tree());
        CreateDirectoryW(path.c_str(), nullptr);
        for (size_t start = 0; start < relative.size();) {
            size_t end = relative.find('\\', start);
            if (end == std::string::npos) end = relative.size();
            path += L"\\" + platform::Widen(relative.substr(start, end - start));
            CreateDirectoryW(path.c_str(), nullptr);
            longFolders_.push_back(path);
            start = end + 1;
        }
        return path;
    }
    ~DiskPageTest() override {
        // The temporary folder's clean-up uses plain paths, which cannot reach these.
        for (auto it = longFolders_.rbegin(); it != longFolders_.rend(); ++it) {
            WIN32_FIND_DATAW entry;
            const HANDLE find = FindFirstFileW((*it + L"\\*").c_str(), &entry);
            if (find != INVALID_HANDLE_VALUE) {
                do {
                    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                        DeleteFileW((*it + L"\\" + entry.cFileName).c_str());
                } while (FindNextFileW(find, &entry));
                FindClose(find);
            }
            RemoveDirectoryW(it->c_str());
        }
    }

    bool Exists(const std::string& path) const {
        return GetFileAttributesW(platform::Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    std::vector<ResultRow> Results() {
        auto& list = Page().LVScanJunkResult;
        std::vector<ResultRow> rows;
        for (int i = 0; i < list.Count(); ++i)
            rows.push_back(
                {list.CellText(i, 0), list.CellText(i, 1), list.CellText(i, 2), list.IsChecked(i)});
        return rows;
    }
    // The listed paths, relative to the tree, in row order.
    std::vector<std::string> ListedInTree() {
        std::vector<std::string> out;
        const std::string prefix = Tree() + "\\";
        for (const auto& r : Results())
            if (r.path.starts_with(prefix)) out.push_back(r.path.substr(prefix.size()));
        return out;
    }
    std::multiset<std::string> ListedSet() {
        const auto v = ListedInTree();
        return {v.begin(), v.end()};
    }
    // Walks the tree as the scan walks a drive.
    bool WalkTree() { return Page().FkFileListGet("*.*", Tree(), true); }

  private:
    disk::DiskCleanerPage* page_ = nullptr;
    std::vector<std::wstring> longFolders_;
};

}  // namespace disk_testing
