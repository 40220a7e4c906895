#include "support/private_url_cache.h"

#include <windows.h>
#include <wininet.h>

#include <stdexcept>

#include "platform/files.h"
#include "platform/text.h"
#include "support/temp_folder.h"

namespace testing_support {
namespace {

using platform::Narrow;
using platform::Widen;

HMODULE Library() {
    return GetModuleHandleW(L"wininet.dll");
}

template <class Fn>
Fn Lookup(const char* name) {
    const auto fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(Library(), name)));
    if (!fn) throw std::runtime_error(std::string("wininet lacks ") + name);
    return fn;
}

// Removes the private caches of test processes that are gone.
void RemoveStaleCaches(const std::string& parent) {
    WIN32_FIND_DATAW data;
    const HANDLE find = FindFirstFileW(Widen(parent + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = Narrow(data.cFileName);
        if (name == "." || name == "..") continue;
        const DWORD pid = static_cast<DWORD>(std::strtoul(name.c_str(), nullptr, 10));
        if (pid == GetCurrentProcessId()) continue;
        if (const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid)) {
            CloseHandle(process);
            continue;
        }
        RemoveTree(parent + "\\" + name);
    } while (FindNextFileW(find, &data));
    FindClose(find);
}

}  // namespace

PrivateUrlCache& PrivateUrlCache::Get() {
    static PrivateUrlCache cache;
    return cache;
}

PrivateUrlCache::PrivateUrlCache() {
    const std::string parent = platform::TempFolder() + "veltrin-url-caches";
    CreateDirectoryW(Widen(parent).c_str(), nullptr);
    RemoveStaleCaches(parent);
    root_ = parent + "\\" + std::to_string(GetCurrentProcessId());
    RemoveTree(root_);
    CreateDirectoryW(Widen(root_).c_str(), nullptr);
    if (Library()) return;  // too late: the containers are the user's

    const std::wstring key =
        L"Software\\VeltrinTests\\UrlCache" + std::to_wstring(GetCurrentProcessId());
    RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
    HKEY priv = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &priv, nullptr) != ERROR_SUCCESS)
        throw std::runtime_error("cannot create the private shell folder key");
    RegOverridePredefKey(HKEY_CURRENT_USER, priv);
    HKEY folders = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER,
                    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
                    0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &folders, nullptr);
    for (const char* name : {"Cache", "Cookies", "History"}) {
        const std::wstring path = Widen(root_ + "\\" + name);
        CreateDirectoryW(path.c_str(), nullptr);
        RegSetValueExW(folders, Widen(name).c_str(), 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(path.c_str()),
                       static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t)));
    }
    RegCloseKey(folders);
    const HMODULE module = LoadLibraryW(L"wininet.dll");
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    RegCloseKey(priv);
    RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
    isolated_ = module != nullptr;
}

bool PrivateUrlCache::AddEntry(const std::string& url, uint32_t type, std::string_view body,
                               std::string_view header) {
    static const auto create = Lookup<decltype(&CreateUrlCacheEntryW)>("CreateUrlCacheEntryW");
    static const auto commit = Lookup<decltype(&CommitUrlCacheEntryW)>("CommitUrlCacheEntryW");
    const std::wstring wurl = Widen(url);
    wchar_t file[MAX_PATH] = {};
    if (!create(wurl.c_str(), 0, L"htm", file, 0)) return false;
    if (!platform::WriteWholeFile(Narrow(file), body)) return false;
    std::wstring wheader = Widen(header);
    const FILETIME none{};
    return commit(wurl.c_str(), file, none, none, type, wheader.empty() ? nullptr : wheader.data(),
                  static_cast<DWORD>(wheader.size()), L"htm", nullptr) != FALSE;
}

bool PrivateUrlCache::SetCookie(const std::string& url, const std::string& name,
                                const std::string& value) {
    static const auto set = Lookup<decltype(&InternetSetCookieW)>("InternetSetCookieW");
    return set(Widen(url).c_str(), Widen(name).c_str(),
               Widen(value + "; expires=Sat, 01-Jan-2050 00:00:00 GMT").c_str()) != FALSE;
}

std::string PrivateUrlCache::LocalFile(const std::string& url) const {
    static const auto get = Lookup<decltype(&GetUrlCacheEntryInfoW)>("GetUrlCacheEntryInfoW");
    const std::wstring wurl = Widen(url);
    DWORD size = 0;
    get(wurl.c_str(), nullptr, &size);
    if (size == 0) return {};
    std::vector<std::byte> buffer(size);
    auto* info = reinterpret_cast<INTERNET_CACHE_ENTRY_INFOW*>(buffer.data());
    if (!get(wurl.c_str(), info, &size)) return {};
    return info->lpszLocalFileName ? Narrow(info->lpszLocalFileName) : std::string();
}

bool PrivateUrlCache::Exists(const std::string& url) const {
    static const auto get = Lookup<decltype(&GetUrlCacheEntryInfoW)>("GetUrlCacheEntryInfoW");
    DWORD size = 0;
    if (get(Widen(url).c_str(), nullptr, &size)) return true;
    return GetLastError() == ERROR_INSUFFICIENT_BUFFER;
}

std::vector<std::string> PrivateUrlCache::AllUrls() const {
    static const auto first = Lookup<decltype(&FindFirstUrlCacheEntryW)>("FindFirstUrlCacheEntryW");
    static const auto next = Lookup<decltype(&FindNextUrlCacheEntryW)>("FindNextUrlCacheEntryW");
    static const auto close = Lookup<decltype(&FindCloseUrlCache)>("FindCloseUrlCache");
    std::vector<std::string> urls;
    std::vector<std::byte> buffer(1 << 16);
    auto* info = reinterpret_cast<INTERNET_CACHE_ENTRY_INFOW*>(buffer.data());
    DWORD size = static_cast<DWORD>(buffer.size());
    const HANDLE find = first(nullptr, info, &size);
    if (!find) return urls;
    do {
        urls.push_back(Narrow(info->lpszSourceUrlName));
        size = static_cast<DWORD>(buffer.size());
    } while (next(find, info, &size));
    close(find);
    return urls;
}

void PrivateUrlCache::Clear() {
    static const auto remove = Lookup<decltype(&DeleteUrlCacheEntryW)>("DeleteUrlCacheEntryW");
    for (const auto& url : AllUrls())
        remove(Widen(url).c_str());
}

}  // namespace testing_support
