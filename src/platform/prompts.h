#pragma once
// Everything that asks the user: message boxes, input boxes, open and save dialogs.
// Tests answer these through a scripted fake.
#include <optional>
#include <string>
#include <vector>

namespace platform {

// A shared file dialog keeps its filter, default extension and last file name between uses.
struct FileDialogState {
    std::string filter;            // "Text file(*.txt)|*.txt": description|pattern pairs
    std::string defaultExtension;  // without the dot
    std::string fileName;          // the last file chosen (the first, for several)
    std::vector<std::string> files;
    bool allowMultiSelect = false;
};

// Message box buttons and icons, with the values MessageBox uses.
enum MessageBoxStyle : unsigned {
    kOk = 0x0,
    kOkCancel = 0x1,
    kYesNo = 0x4,
    kYesNoCancel = 0x3,
    kIconError = 0x10,
    kIconQuestion = 0x20,
    kIconWarning = 0x30,
    kIconInformation = 0x40,
    kDefaultButton2 = 0x100,
};
enum MessageBoxAnswer : int { kAnswerOk = 1, kAnswerCancel = 2, kAnswerYes = 6, kAnswerNo = 7 };

class Prompts {
  public:
    virtual ~Prompts() = default;
    virtual int Message(const std::string& text, const std::string& caption, unsigned style) = 0;
    // nullopt when the user cancels.
    virtual std::optional<std::string> Input(const std::string& caption, const std::string& prompt,
                                             const std::string& defaultText) = 0;
    // True when the user chose a file; the state then holds the choice.
    virtual bool Open(FileDialogState& dialog) = 0;
    virtual bool Save(FileDialogState& dialog) = 0;
};

// "A|*.a|B|*.b" in the double-NUL form the common dialogs take.
std::wstring DialogFilter(const std::string& filter);

}  // namespace platform
