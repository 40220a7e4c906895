#include "support/fakes.h"

namespace testing_support {

int FakePrompts::Message(const std::string& text, const std::string& caption, unsigned style) {
    messages.push_back({text, caption, style});
    if (messageAnswers.empty())
        return (style & 0xF) == platform::kYesNo || (style & 0xF) == platform::kYesNoCancel
                   ? platform::kAnswerYes
                   : platform::kAnswerOk;
    const int answer = messageAnswers.front();
    messageAnswers.pop_front();
    return answer;
}

std::optional<std::string> FakePrompts::Input(const std::string& caption, const std::string& prompt,
                                              const std::string& defaultText) {
    inputs.push_back({caption, prompt, defaultText});
    if (inputAnswers.empty()) return defaultText;
    auto answer = inputAnswers.front();
    inputAnswers.pop_front();
    return answer;
}

bool FakePrompts::File(platform::FileDialogState& dialog) {
    fileDialogs.push_back(dialog);
    if (fileAnswers.empty()) return false;
    auto answer = fileAnswers.front();
    fileAnswers.pop_front();
    if (!answer || answer->empty()) return false;
    dialog.files = *answer;
    dialog.fileName = answer->front();
    return true;
}

}  // namespace testing_support
