#pragma once
// The real message boxes, input box and common file dialogs.
#include <windows.h>

#include "platform/prompts.h"

namespace ui {

class Win32Prompts final : public platform::Prompts {
  public:
    explicit Win32Prompts(HWND owner = nullptr) : owner_(owner) {}
    void SetOwner(HWND owner) { owner_ = owner; }
    int Message(const std::string& text, const std::string& caption, unsigned style) override;
    std::optional<std::string> Input(const std::string& caption, const std::string& prompt,
                                     const std::string& defaultText) override;
    bool Open(platform::FileDialogState& dialog) override;
    bool Save(platform::FileDialogState& dialog) override;

  private:
    HWND owner_;
};

}  // namespace ui
