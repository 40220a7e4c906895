#include "disk/junk_list_texts.h"

#include "platform/text.h"

namespace disk {

std::string AnsiField(const std::string& utf8, size_t maxBytes) {
    std::string text = utf8;
    for (;;) {
        std::string ansi = platform::ToAnsi(text);
        if (ansi.size() <= maxBytes) return ansi;
        size_t end = text.size() - 1;
        while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
            --end;
        text.resize(end);
    }
}

JunkRecord JunkRecordOf(const std::string& type, const std::string& description, bool checked) {
    return {AnsiField(type, kJunkTypeMax), AnsiField(description, kJunkDescriptionMax), checked};
}

}  // namespace disk
