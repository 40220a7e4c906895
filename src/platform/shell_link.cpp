#include "platform/shell_link.h"

#include <windows.h>
#include <objbase.h>
#include <ole2.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <stdexcept>

#include "core/shell_link_layout.h"
#include "platform/com_ptr.h"
#include "platform/files.h"
#include "platform/text.h"

namespace platform {
namespace {

// OleInitialize for the span of one operation; balanced on every path.
class OleScope {
  public:
    OleScope() : ok_(SUCCEEDED(OleInitialize(nullptr))) {}
    ~OleScope() {
        if (ok_) OleUninitialize();
    }
    OleScope(const OleScope&) = delete;
    OleScope& operator=(const OleScope&) = delete;

  private:
    bool ok_;
};

ComPtr<IShellLinkW> NewShellLink() {
    ComPtr<IShellLinkW> link;
    CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                     link.put_void());
    return link;
}

// Far beyond any real link; a bigger file is not one.
constexpr size_t kLinkFileMax = 4u << 20;

// The path as the 260-character buffer of IPersistFile takes it.
std::wstring LinkFileName(const std::string& path) {
    std::wstring w = Widen(path);
    if (w.size() > MAX_PATH - 1) w.resize(MAX_PATH - 1);
    return w;
}

}  // namespace

ShellLinkData ReadShellLink(const std::string& linkPath) {
    // A damaged link can keep the shell's loader busy for over a second (Wine walks a broken
    // item list for 1.4 s) only to fail: one whose sections do not fit the file is not handed
    // to it, and reads as empty as a failed load does.
    const auto bytes = ReadWholeFile(linkPath, kLinkFileMax);
    if (!bytes || !core::IsWholeShellLink(*bytes)) return {};
    ComPtr<IShellLinkW> link = NewShellLink();
    ComPtr<IPersistFile> file = link.As<IPersistFile>(IID_IPersistFile);
    if (!link || !file) throw std::runtime_error("Cannot create the shell link object");
    // A file that is not a link leaves the object empty: the texts below come back empty.
    file->Load(LinkFileName(linkPath).c_str(), STGM_READ);
    wchar_t target[MAX_PATH] = {};
    wchar_t arguments[MAX_PATH] = {};
    if (FAILED(link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH))) target[0] = 0;
    if (FAILED(link->GetArguments(arguments, MAX_PATH))) arguments[0] = 0;
    target[MAX_PATH - 1] = 0;
    // A '?' cannot be part of a file name: the stored path went through a code page that lacks
    // some of its characters (Wine keeps only the ANSI form). The item list still names the
    // target exactly.
    if (wcschr(target, L'?')) {
        PIDLIST_ABSOLUTE items = nullptr;
        if (SUCCEEDED(link->GetIDList(&items)) && items) {
            wchar_t exact[MAX_PATH] = {};
            if (SHGetPathFromIDListW(items, exact) && exact[0]) wcscpy(target, exact);
            CoTaskMemFree(items);
        }
    }
    arguments[256] = 0;
    return {Narrow(target), Narrow(arguments)};
}

bool SaveShellLink(const std::string& linkPath, const std::string& target,
                   const std::string& arguments, const std::string& workingDirectory,
                   const std::string& description) {
    OleScope ole;
    ComPtr<IShellLinkW> link = NewShellLink();
    ComPtr<IPersistFile> file = link.As<IPersistFile>(IID_IPersistFile);
    if (!link || !file) return false;
    link->SetPath(Widen(target).c_str());
    link->SetArguments(Widen(arguments).c_str());
    link->SetWorkingDirectory(Widen(workingDirectory).c_str());
    link->SetDescription(Widen(description).c_str());
    // The save is the one result that tells whether the entry now exists on disk.
    return SUCCEEDED(file->Save(Widen(linkPath).c_str(), FALSE));
}

}  // namespace platform
