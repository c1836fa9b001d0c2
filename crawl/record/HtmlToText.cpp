#include "crawl/record/HtmlToText.h"

#include "crawl/text/Text.h"

#include <array>
#include <utility>

namespace crawl {
namespace {

// Applied one after the other in this order, each over the whole text: "&amp;" goes before
// the entities after it, so a doubly escaped "&amp;quot;" ends as a double quote.
constexpr std::array<std::pair<std::u16string_view, std::u16string_view>, 16> Replacements = {{
    {u"&nbsp;", u" "},
    {u"&bull;", u"-"},
    {u"&amp;", u"&"},
    {u"&times;", u"x"},
    {u"&quot;", u"\""},
    {u"&mdash;", u"-"},
    {u"&ndash;", u"-"},
    {u"&laquo;", u"\""},
    {u"&raquo;", u"\""},
    {u"&lt;", u"<"},
    {u"&gt;", u">"},
    {u"&#039;", u"'"},
    {u"<br>", u" "},
    {u"\r", u""},
    {u"\n", u""},
    {u"\t", u""},
}};

// Deleting a tag from its "<" to the first ">" after it, over and over from the first "<",
// leaves the same text as this single scan.
std::u16string RemoveTags(std::u16string_view text)
{
    std::u16string result;
    result.reserve(text.size());
    std::size_t position = 0;
    while (position < text.size()) {
        const std::size_t open = text.find(u'<', position);
        if (open == std::u16string_view::npos) {
            result.append(text.substr(position));
            break;
        }
        result.append(text.substr(position, open - position));
        const std::size_t close = text.find(u'>', open);
        if (close == std::u16string_view::npos) {
            break;
        }
        position = close + 1;
    }
    return result;
}

} // namespace

std::u16string HtmlToText(std::u16string_view text)
{
    std::u16string decoded(text);
    for (const auto& [find, replaceBy] : Replacements) {
        decoded = ReplaceAll(decoded, find, replaceBy);
    }
    return RemoveTags(decoded);
}

std::u16string ReplaceDoubleQuotes(std::u16string_view text)
{
    return ReplaceAll(text, u"\"", u"'");
}

} // namespace crawl
