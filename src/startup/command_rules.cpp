#include "startup/command_rules.h"

#include <algorithm>

#include "core/ascii_text.h"

namespace startup {
namespace {

bool IsContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// The byte length of the first n characters of a UTF-8 text, from byte `from`: a cut never
// splits a character.
size_t BytesOfChars(const std::string& s, size_t from, size_t n) {
    size_t i = from;
    while (i < s.size() && n > 0) {
        ++i;
        while (i < s.size() && IsContinuation(static_cast<unsigned char>(s[i])))
            ++i;
        --n;
    }
    return i;
}

size_t CharCount(const std::string& s, size_t from) {
    size_t n = 0;
    for (size_t i = from; i < s.size(); ++i)
        if (!IsContinuation(static_cast<unsigned char>(s[i]))) ++n;
    return n;
}

}  // namespace

std::string TrimBlanks(const std::string& s) {
    const auto b = s.find_first_not_of(' ');
    if (b == std::string::npos) return {};
    return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

std::string ProgramPathOfCommand(const std::string& command) {
    std::string s = core::TrimControlAndBlanks(command);
    s.erase(std::remove(s.begin(), s.end(), '"'), s.end());
    s = core::AsciiLower(core::TrimControlAndBlanks(s));
    // d is the first dot; more than three characters after it means switches or a dotted
    // folder, so the path is cut after the first ".exe" followed by a blank instead.
    const auto dot = s.find('.');
    if (dot == std::string::npos) {
        // No dot: the rule's position 0 keeps the first three characters.
        return s.substr(0, BytesOfChars(s, 0, 3));
    }
    if (CharCount(s, dot + 1) > 3) {
        const auto exe = s.find(".exe ");
        if (exe == std::string::npos) return s.substr(0, BytesOfChars(s, 0, 3));
        return s.substr(0, exe + 4);
    }
    return s.substr(0, BytesOfChars(s, dot + 1, 3));
}

std::string ShortcutCommandText(const std::string& target, const std::string& arguments) {
    if (!arguments.empty()) return target + " " + arguments;
    return "\"" + target + "\"";
}

std::string FileNamePart(const std::string& path) {
    const auto slash = path.rfind('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string DirectoryPart(const std::string& path) {
    const auto slash = path.rfind('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string ExtensionOf(const std::string& name) {
    const auto dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

std::string WorkingDirectoryOf(const std::string& target) {
    const auto cut = target.find_last_of("\\:");
    return cut == std::string::npos ? std::string() : target.substr(0, cut + 1);
}

bool CommandIsShortcutFile(const std::string& command) {
    return core::AsciiLower(ExtensionOf(command)) == ".lnk";
}

std::string FolderEntryFile(const std::string& name, const std::string& command,
                            const std::string& folder) {
    if (CommandIsShortcutFile(command)) return folder + "\\" + name + ".lnk";
    const auto dot = name.rfind('.');
    const std::string base = dot == std::string::npos ? name : name.substr(0, dot);
    return folder + "\\" + base + ".lnk";
}

}  // namespace startup
