#include "crawl/record/MobileFilter.h"

#include "crawl/text/Text.h"

#include <algorithm>

namespace crawl {
namespace {

// Lower case for Latin and Russian letters (Ё and the other letters of U+0400 to U+040F
// included); every code unit maps to one code unit, so positions stay the same.
char16_t FoldCase(char16_t character)
{
    if (character >= u'A' && character <= u'Z') {
        return static_cast<char16_t>(character + (u'a' - u'A'));
    }
    if (character >= u'\u0410' && character <= u'\u042F') { // А to Я
        return static_cast<char16_t>(character + 0x20);
    }
    if (character >= u'\u0400' && character <= u'\u040F') { // Ѐ to Џ, Ё among them
        return static_cast<char16_t>(character + 0x50);
    }
    return character;
}

// Cuts the text at the first occurrence of a lower-case word, in any letter case.
void CutAtWord(std::u16string& text, std::u16string_view lowerCaseWord)
{
    std::u16string folded(text);
    std::transform(folded.begin(), folded.end(), folded.begin(), FoldCase);
    const std::size_t found = folded.find(lowerCaseWord);
    if (found != std::u16string::npos) {
        text.erase(found);
    }
}

bool IsMobilePiece(std::u16string_view piece)
{
    const std::u16string trimmed = Trim(piece);
    return !trimmed.empty() && IsMobileNumber(DigitsOnly(trimmed));
}

} // namespace

std::u16string DigitsOnly(std::u16string_view text)
{
    std::u16string digits;
    std::copy_if(text.begin(), text.end(), std::back_inserter(digits),
                 [](char16_t character) { return character >= u'0' && character <= u'9'; });
    return digits;
}

bool IsMobileNumber(std::u16string_view digits)
{
    if (digits.size() == 10) {
        return digits.front() == u'9';
    }
    if (digits.size() == 11) {
        return digits.starts_with(u"89") || digits.starts_with(u"79");
    }
    return false;
}

bool HasMobilePhone(std::u16string_view phones)
{
    if (Trim(phones).empty()) {
        return false;
    }
    std::u16string text(phones);
    for (const std::u16string_view separator : {u",", u"/", u":"}) {
        text = ReplaceAll(text, separator, u";");
    }
    CutAtWord(text, u"доб");
    CutAtWord(text, u"секретарь");

    std::u16string_view rest = text;
    for (std::size_t separator = rest.find(u';'); separator != std::u16string_view::npos;
         separator = rest.find(u';')) {
        if (IsMobilePiece(rest.substr(0, separator))) {
            return true;
        }
        rest.remove_prefix(separator + 1);
    }
    return IsMobilePiece(rest);
}

KeepDecision DecideKeep(std::u16string_view shortName, std::u16string_view phones, bool mobilesOnly)
{
    const bool keep = !mobilesOnly || HasMobilePhone(phones);
    std::u16string logText =
        keep ? u"Добавлено в базу: " : u"Пропускаем, нет мобильного телефона: ";
    logText.append(shortName).append(u"; ").append(phones);
    return KeepDecision{keep, std::move(logText)};
}

} // namespace crawl
