#pragma once
// RAII owners for the Win32 handles the program opens and closes within one operation.
#include <windows.h>
#include <objbase.h>

#include <memory>
#include <type_traits>

namespace platform {

struct HandleCloser {
    void operator()(HANDLE h) const {
        if (h && h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
};
struct FindCloser {
    void operator()(HANDLE h) const {
        if (h && h != INVALID_HANDLE_VALUE) FindClose(h);
    }
};
struct KeyCloser {
    void operator()(HKEY k) const {
        if (k) RegCloseKey(k);
    }
};
struct GdiDeleter {
    void operator()(HGDIOBJ o) const {
        if (o) DeleteObject(o);
    }
};
struct IconDestroyer {
    void operator()(HICON i) const {
        if (i) DestroyIcon(i);
    }
};
struct MenuDestroyer {
    void operator()(HMENU m) const {
        if (m) DestroyMenu(m);
    }
};

using UniqueHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;
using UniqueFind = std::unique_ptr<std::remove_pointer_t<HANDLE>, FindCloser>;
using UniqueKey = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser>;
using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiDeleter>;
using UniqueBrush = std::unique_ptr<std::remove_pointer_t<HBRUSH>, GdiDeleter>;
using UniqueIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDestroyer>;
using UniqueMenu = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDestroyer>;

// A file handle from CreateFile, which signals failure with INVALID_HANDLE_VALUE, not null.
inline UniqueHandle AdoptFile(HANDLE h) {
    return UniqueHandle(h == INVALID_HANDLE_VALUE ? nullptr : h);
}

// Initialises COM for the calling thread for as long as it lives.
class ComScope {
  public:
    ComScope() : ok_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComScope() {
        if (ok_) CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

  private:
    bool ok_;
};

}  // namespace platform
