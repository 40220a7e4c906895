#include "ui/win32_prompts.h"

#include <commdlg.h>

#include <vector>

#include "platform/text.h"

namespace ui {
namespace {

using platform::Narrow;
using platform::Widen;

// An in-memory dialog template: caption, prompt, edit field, OK and Cancel.
class InputTemplate {
  public:
    InputTemplate(const std::wstring& caption, const std::wstring& prompt) {
        Align(4);
        DLGTEMPLATE t{};
        t.style = DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;
        t.cdit = 4;
        t.cx = 220;
        t.cy = 70;
        Append(&t, sizeof t);
        Word(0);  // no menu
        Word(0);  // default class
        Text(caption);
        Word(8);
        Text(L"MS Shell Dlg");
        Item(SS_LEFT | SS_NOPREFIX, 8, 6, 204, 16, kPromptId, 0x0082, prompt);
        Item(WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 8, 26, 204, 13, kEditId, 0x0081, L"");
        Item(WS_TABSTOP | BS_DEFPUSHBUTTON, 106, 48, 50, 14, IDOK, 0x0080, L"OK");
        Item(WS_TABSTOP | BS_PUSHBUTTON, 162, 48, 50, 14, IDCANCEL, 0x0080, L"Cancel");
    }
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(bytes_.data()); }

    static constexpr int kPromptId = 100;
    static constexpr int kEditId = 101;

  private:
    void Append(const void* p, size_t n) {
        const auto* b = static_cast<const unsigned char*>(p);
        bytes_.insert(bytes_.end(), b, b + n);
    }
    void Align(size_t a) {
        while (bytes_.size() % a)
            bytes_.push_back(0);
    }
    void Word(WORD w) { Append(&w, sizeof w); }
    void Text(const std::wstring& s) { Append(s.c_str(), (s.size() + 1) * sizeof(wchar_t)); }
    void Item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD atom,
              const std::wstring& text) {
        Align(4);
        DLGITEMTEMPLATE it{};
        it.style = style | WS_CHILD | WS_VISIBLE;
        it.x = x;
        it.y = y;
        it.cx = cx;
        it.cy = cy;
        it.id = id;
        Append(&it, sizeof it);
        Word(0xFFFF);
        Word(atom);
        Text(text);
        Word(0);  // no creation data
    }
    std::vector<unsigned char> bytes_;
};

struct InputState {
    std::wstring text;
};

INT_PTR CALLBACK InputProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_INITDIALOG: {
            SetWindowLongPtrW(dlg, DWLP_USER, lp);
            auto* state = reinterpret_cast<InputState*>(lp);
            SetDlgItemTextW(dlg, InputTemplate::kEditId, state->text.c_str());
            HWND edit = GetDlgItem(dlg, InputTemplate::kEditId);
            SendMessageW(edit, EM_SETSEL, 0, -1);
            SetFocus(edit);
            return FALSE;
        }
        case WM_COMMAND:
            if (LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) {
                if (LOWORD(wp) == IDOK) {
                    auto* state = reinterpret_cast<InputState*>(GetWindowLongPtrW(dlg, DWLP_USER));
                    HWND edit = GetDlgItem(dlg, InputTemplate::kEditId);
                    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
                    text.resize(static_cast<size_t>(
                        GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
                    state->text = text;
                }
                EndDialog(dlg, LOWORD(wp));
                return TRUE;
            }
            break;
    }
    return FALSE;
}

struct FileDialogBuffers {
    std::wstring filter, ext, file;
};

OPENFILENAMEW MakeOfn(HWND owner, const platform::FileDialogState& d, FileDialogBuffers& b) {
    b.filter = platform::DialogFilter(d.filter);
    b.ext = Widen(d.defaultExtension);
    b.file = Widen(d.fileName);
    b.file.resize(32768, L'\0');
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = b.filter.empty() ? nullptr : b.filter.c_str();
    ofn.lpstrFile = b.file.data();
    ofn.nMaxFile = static_cast<DWORD>(b.file.size());
    ofn.lpstrDefExt = b.ext.empty() ? nullptr : b.ext.c_str();
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING;
    return ofn;
}

}  // namespace

int Win32Prompts::Message(const std::string& text, const std::string& caption, unsigned style) {
    return MessageBoxW(owner_, Widen(text).c_str(), Widen(caption).c_str(), style);
}

std::optional<std::string> Win32Prompts::Input(const std::string& caption,
                                               const std::string& prompt,
                                               const std::string& defaultText) {
    InputTemplate t(Widen(caption), Widen(prompt));
    InputState state{Widen(defaultText)};
    const INT_PTR r = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), t.Get(), owner_, InputProc,
                                              reinterpret_cast<LPARAM>(&state));
    if (r != IDOK) return std::nullopt;
    return Narrow(state.text);
}

bool Win32Prompts::Open(platform::FileDialogState& d) {
    FileDialogBuffers b;
    OPENFILENAMEW ofn = MakeOfn(owner_, d, b);
    ofn.Flags |= OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
    if (d.allowMultiSelect) ofn.Flags |= OFN_ALLOWMULTISELECT;
    if (!GetOpenFileNameW(&ofn)) return false;
    // Several files come as folder\0name\0name\0\0; one file as its full name.
    d.files.clear();
    const wchar_t* p = b.file.c_str();
    std::wstring first = p;
    p += first.size() + 1;
    if (!*p) {
        d.files.push_back(Narrow(first));
    } else {
        for (; *p; p += wcslen(p) + 1)
            d.files.push_back(Narrow(first + L"\\" + p));
    }
    d.fileName = d.files.front();
    return true;
}

bool Win32Prompts::Save(platform::FileDialogState& d) {
    FileDialogBuffers b;
    OPENFILENAMEW ofn = MakeOfn(owner_, d, b);
    if (!GetSaveFileNameW(&ofn)) return false;
    d.fileName = Narrow(b.file.c_str());
    d.files = {d.fileName};
    return true;
}

}  // namespace ui
