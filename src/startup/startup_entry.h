#pragma once
// One startup entry (one row of the startup list) and the four texts through which the page
// hands an entry to the properties dialog.
#include <string>

namespace startup {

struct TStartupEntry {
    std::string Name;       // value name, or file name with its extension
    std::string Command;    // value data as stored, or the shortcut's command, or the file path
    std::string Location;   // location text (a twin's ends with "-")
    std::string TypeLabel;  // the location's label
    bool Enabled = true;    // false for entries parked in a twin key

    bool operator==(const TStartupEntry&) const = default;
};

// Empty when the dialog opens to add; the edited row's texts when it opens to edit; the last
// accepted entry after an OK that stored one.
struct AttributeTexts {
    std::string AttrName, AttrCommand, AttrLocation, AttrType;

    void Clear() { *this = {}; }
};

}  // namespace startup
