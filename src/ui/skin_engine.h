#pragma once
// The skin engine: given a skin file and switched active, it colours every window and dialog
// of the program; a window whose Tag is 9999 keeps the standard look. A missing or unreadable
// skin file leaves the standard look.
#include <windows.h>

#include <optional>
#include <string>

#include "platform/handles.h"
#include "ui/skin_file.h"

namespace ui {

class SkinEngine {
  public:
    SkinEngine() = default;
    ~SkinEngine();
    SkinEngine(const SkinEngine&) = delete;
    SkinEngine& operator=(const SkinEngine&) = delete;

    // The path of the skin file; it is read when the engine becomes active.
    void SetSkinFile(const std::string& path) { path_ = path; }
    const std::string& SkinFile() const { return path_; }
    // Activating reads the skin file; returns whether the skin is now in force.
    bool SetActive(bool active);
    bool IsActive() const { return colors_.has_value(); }
    const SkinColors& Colors() const { return *colors_; }

    // The brush for a WM_CTLCOLOR* message, or null to leave the control alone.
    HBRUSH ControlColor(UINT msg, HDC dc, HWND control) const;
    void PaintBackground(HWND window, HDC dc) const;

  private:
    std::string path_;
    std::optional<SkinColors> colors_;
    platform::UniqueBrush windowBrush_, editBrush_;
    HHOOK hook_ = nullptr;
};

// The active skin of the process, or null for the standard look.
const SkinEngine* ActiveSkin();

// The colour of a system element under the active skin (or the system colour without one).
COLORREF SkinColor(Rgb SkinColors::*member, int systemColor);

}  // namespace ui
