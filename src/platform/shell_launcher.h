#pragma once
// Starting programs and documents through the shell.
#include <string>

struct HWND__;

namespace platform {

class ShellLauncher {
  public:
    virtual ~ShellLauncher() = default;
    // ShellExecute with a verb ("open", "explore", ...); true when the shell accepted it.
    virtual bool Execute(const std::string& verb, const std::string& file,
                         const std::string& parameters, const std::string& directory, int show) = 0;
    // Starts a command line as WinExec does (program and arguments in one text); true when the
    // program started.
    virtual bool RunCommandLine(const std::string& commandLine, int show) = 0;
    // Opens the shell's property sheet of a file, without the shell's own error dialog; true
    // when the shell accepted the request.
    virtual bool ShowProperties(const std::string& file, HWND__* owner) = 0;
};

class Win32ShellLauncher final : public ShellLauncher {
  public:
    bool Execute(const std::string& verb, const std::string& file, const std::string& parameters,
                 const std::string& directory, int show) override;
    bool RunCommandLine(const std::string& commandLine, int show) override;
    bool ShowProperties(const std::string& file, HWND__* owner) override;
};

}  // namespace platform
