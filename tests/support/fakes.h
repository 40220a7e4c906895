#pragma once
// Scripted stand-ins for the platform seams.
#include <windows.h>

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/drives.h"
#include "platform/prompts.h"
#include "platform/shell_launcher.h"
#include "platform/special_folders.h"

namespace testing_support {

// Answers prompts from queues filled by the test and records every question.
class FakePrompts : public platform::Prompts {
  public:
    struct MessageCall {
        std::string text, caption;
        unsigned style;
    };
    struct InputCall {
        std::string caption, prompt, defaultText;
    };

    std::deque<int> messageAnswers;                                   // default: OK / Yes
    std::deque<std::optional<std::string>> inputAnswers;              // default: the default text
    std::deque<std::optional<std::vector<std::string>>> fileAnswers;  // default: cancel

    std::vector<MessageCall> messages;
    std::vector<InputCall> inputs;
    std::vector<platform::FileDialogState> fileDialogs;  // the dialog as it was shown

    int Message(const std::string& text, const std::string& caption, unsigned style) override;
    std::optional<std::string> Input(const std::string& caption, const std::string& prompt,
                                     const std::string& defaultText) override;
    bool Open(platform::FileDialogState& dialog) override { return File(dialog); }
    bool Save(platform::FileDialogState& dialog) override { return File(dialog); }

  private:
    bool File(platform::FileDialogState& dialog);
};

class FakeShell : public platform::ShellLauncher {
  public:
    struct Call {
        std::string verb, file, parameters, directory;
        int show;
    };
    std::vector<Call> calls;
    bool result = true;

    bool Execute(const std::string& verb, const std::string& file, const std::string& parameters,
                 const std::string& directory, int show) override {
        calls.push_back({verb, file, parameters, directory, show});
        return result;
    }
    struct CommandLine {
        std::string commandLine;
        int show;
    };
    std::vector<CommandLine> commandLines;
    bool RunCommandLine(const std::string& commandLine, int show) override {
        commandLines.push_back({commandLine, show});
        return result;
    }
    struct PropertiesCall {
        std::string file;
        HWND owner;
    };
    std::vector<PropertiesCall> properties;
    bool ShowProperties(const std::string& file, HWND owner) override {
        properties.push_back({file, owner});
        return result;
    }
};

// Special folders answered from a table; a folder missing from it cannot be resolved.
class FakeSpecialFolders : public platform::SpecialFolders {
  public:
    std::map<int, std::string> folders;
    std::optional<std::string> Path(int csidl) const override {
        const auto it = folders.find(csidl);
        if (it == folders.end()) return std::nullopt;
        return it->second;
    }
};

// Drives answered from tables; a root missing from `types` has no drive.
class FakeDrives : public platform::DriveQueries {
  public:
    std::map<std::string, unsigned> types;  // absent: no such drive
    std::map<std::string, std::optional<platform::DriveSpace>> spaces;

    unsigned DriveType(const std::string& root) const override {
        const auto it = types.find(root);
        return it == types.end() ? DRIVE_NO_ROOT_DIR : it->second;
    }
    std::optional<platform::DriveSpace> Space(const std::string& root) const override {
        const auto it = spaces.find(root);
        return it == spaces.end() ? std::nullopt : it->second;
    }
};

class FakeClock : public platform::Clock {
  public:
    platform::LocalTime now{2026, 12, 10, 4, 14, 5, 9, 0};  // a Thursday
    mutable std::vector<uint32_t> sleeps;

    platform::LocalTime Now() const override { return now; }
    void Sleep(uint32_t milliseconds) const override { sleeps.push_back(milliseconds); }
};

}  // namespace testing_support
