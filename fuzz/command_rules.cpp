// Startup commands and shortcut texts as the registry and shortcut files give them: the input
// is "command\0name\0folder\0arguments".
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/ascii_text.h"
#include "fuzz_support.h"
#include "startup/command_rules.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto parts = fuzz::Split(fuzz::Text(data, size), '\0');
    const auto part = [&](size_t i) {
        return i < parts.size() ? std::string(parts[i]) : std::string();
    };
    const std::string command = part(0), name = part(1), folder = part(2), arguments = part(3);

    const std::string program = startup::ProgramPathOfCommand(command);
    FUZZ_CHECK(program.size() <= command.size());
    FUZZ_CHECK(program == core::AsciiLower(program));
    // A cut never splits a character.
    if (fuzz::ValidUtf8(command)) FUZZ_CHECK(fuzz::ValidUtf8(program));

    FUZZ_CHECK(command.ends_with(startup::FileNamePart(command)));
    FUZZ_CHECK(command.starts_with(startup::DirectoryPart(command)));
    FUZZ_CHECK(command.ends_with(startup::ExtensionOf(command)));
    FUZZ_CHECK(command.starts_with(startup::WorkingDirectoryOf(command)));
    const std::string trimmed = startup::TrimBlanks(command);
    FUZZ_CHECK(command.find(trimmed) != std::string::npos);

    const std::string file = startup::FolderEntryFile(name, command, folder);
    FUZZ_CHECK(file.starts_with(folder + "\\"));
    FUZZ_CHECK(core::AsciiLower(file).ends_with(".lnk"));
    FUZZ_CHECK(startup::ShortcutCommandText(command, arguments)
                   .starts_with(arguments.empty() ? "\"" + command : command));
    return 0;
}
