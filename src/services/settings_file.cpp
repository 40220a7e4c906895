#include "services/settings_file.h"

#include <algorithm>
#include <stdexcept>

#include "core/number_text.h"
#include "platform/locale_format.h"
#include "platform/text.h"

namespace services {

using platform::Widen;

template <class C>
void SettingsFile::Load(const char* section, const char* absent,
                        std::vector<Entry<C>> entries) const {
    std::ranges::sort(entries, {}, &Entry<C>::key);
    const std::wstring file = Widen(path_), sect = Widen(section), def = Widen(absent);
    const std::string separator = platform::DecimalSeparator();
    std::wstring buf(2048, L'\0');
    for (const auto& e : entries) {
        const DWORD n = GetPrivateProfileStringW(sect.c_str(), std::to_wstring(e.key).c_str(),
                                                 def.c_str(), buf.data(), 2048, file.c_str());
        const std::string text = platform::Narrow(std::wstring_view(buf.data(), n));
        const auto state = core::ParseBoolean(text, separator);
        if (!state) throw std::runtime_error("'" + text + "' is not a valid boolean value");
        e.control->SetChecked(*state);
    }
}

template <class C>
void SettingsFile::Save(const char* section, std::vector<Entry<C>> entries) const {
    std::ranges::sort(entries, {}, &Entry<C>::key);
    const std::wstring file = Widen(path_), sect = Widen(section);
    for (const auto& e : entries) {
        if (!WritePrivateProfileStringW(sect.c_str(), std::to_wstring(e.key).c_str(),
                                        e.control->IsChecked() ? L"-1" : L"0", file.c_str()))
            throw std::runtime_error("Unable to write to " + path_);
    }
    // Releasing the file flushes the profile cache.
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, file.c_str());
}

void SettingsFile::LoadCheckBoxes() const {
    Load("CheckBox", "0", checkBoxes_);
}
void SettingsFile::LoadRadioButtons() const {
    Load("RadioButton", "1", radios_);
}
void SettingsFile::SaveCheckBoxes() const {
    Save("CheckBox", checkBoxes_);
}
void SettingsFile::SaveRadioButtons() const {
    Save("RadioButton", radios_);
}

}  // namespace services
