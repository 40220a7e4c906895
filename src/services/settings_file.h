#pragma once
// The check-box and radio-button states of the main window, kept in "<exe name>.INI" beside
// the program. Each page registers its check boxes and radio buttons with their keys; the keys
// are the controls' fixed positions among the window's components, so they stay what earlier
// runs wrote.
#include <string>
#include <vector>

#include "ui/controls.h"

namespace services {

class SettingsFile {
  public:
    explicit SettingsFile(std::string iniPath) : path_(std::move(iniPath)) {}
    const std::string& Path() const { return path_; }

    void RegisterCheckBox(int key, ui::CheckBox& box) { checkBoxes_.push_back({key, &box}); }
    void RegisterRadioButton(int key, ui::RadioButton& button) {
        radios_.push_back({key, &button});
    }

    // Load in ascending key order; a value that is not a boolean throws
    // "'<text>' is not a valid boolean value" and leaves that control and the later ones as
    // they were. An absent key reads as clear for a check box and as selected for a radio
    // button, so with both radio keys absent the later one ends selected.
    void LoadCheckBoxes() const;
    void LoadRadioButtons() const;
    // Save in ascending key order: "-1" for checked, "0" for clear. A refused write throws
    // "Unable to write to <path>".
    void SaveCheckBoxes() const;
    void SaveRadioButtons() const;

  private:
    template <class C>
    struct Entry {
        int key;
        C* control;
    };
    template <class C>
    void Load(const char* section, const char* absent, std::vector<Entry<C>> entries) const;
    template <class C>
    void Save(const char* section, std::vector<Entry<C>> entries) const;

    std::string path_;
    std::vector<Entry<ui::CheckBox>> checkBoxes_;
    std::vector<Entry<ui::RadioButton>> radios_;
};

}  // namespace services
