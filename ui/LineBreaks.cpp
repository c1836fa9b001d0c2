#include "ui/LineBreaks.h"

namespace ui {

std::u16string CrLfLines(std::u16string_view fieldText)
{
    std::u16string text;
    text.reserve(fieldText.size() + fieldText.size() / 32 + 2);
    for (const char16_t c : fieldText) {
        if (c == u'\n') {
            text += u'\r';
        }
        text += c;
    }
    return text;
}

std::u16string FieldLines(std::u16string_view fileText)
{
    std::u16string lines;
    lines.reserve(fileText.size());
    for (std::size_t i = 0; i < fileText.size(); ++i) {
        if (fileText[i] != u'\r') {
            lines += fileText[i];
            continue;
        }
        lines += u'\n';
        if (i + 1 < fileText.size() && fileText[i + 1] == u'\n') {
            ++i;
        }
    }
    return lines;
}

} // namespace ui
