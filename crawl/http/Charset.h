#pragma once

#include <string>
#include <string_view>

// How an answer body becomes text: its charset, then one decoding of the whole body.
namespace crawl::http {

// The charset of an answer: the "charset" parameter of its Content-Type; without one,
// "ISO-8859-1" for a "text" media type, but "us-ascii" for text/xml,
// text/xml-external-parsed-entity and text subtypes ending in "+xml"; empty for any other
// media type. A charset that an HTML answer declares in a meta element, or an XML answer in
// its XML declaration, replaces it.
std::string AnswerCharset(std::u16string_view contentType, std::string_view body);

// Decodes the bytes in the named charset, looked up among the registered charset names and
// aliases (case ignored): UTF-8 with U+FFFD for invalid sequences, the others in the Windows
// code page they stand for. An empty name, any other name, and a code page that this
// platform cannot convert read byte for byte as ISO-8859-1. A byte-order mark is kept as a
// character (U+FEFF).
std::u16string DecodeCharset(std::string_view charset, std::string_view bytes);

// The text of an answer body: DecodeCharset with the AnswerCharset.
std::u16string DecodeBody(std::u16string_view contentType, std::string_view body);

} // namespace crawl::http
