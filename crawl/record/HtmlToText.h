#pragma once

#include <string>
#include <string_view>

// Cleaning of the texts the registry sends: its values may carry HTML entities, tags and
// line breaks.
namespace crawl {

// Decodes a fixed set of entities, turns "<br>" into a space, drops CR, LF and tab, then
// removes every tag (an unclosed "<" cuts the rest of the text). Does not trim.
std::u16string HtmlToText(std::u16string_view text);

// Every double quote becomes an apostrophe, so that the value cannot end its quoted field.
std::u16string ReplaceDoubleQuotes(std::u16string_view text);

} // namespace crawl
