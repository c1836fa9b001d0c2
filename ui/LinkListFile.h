#pragma once

#include "crawl/text/TextFile.h"

#include <optional>
#include <string>
#include <string_view>

namespace ui {

struct LinkListText {
    // Lines separated by "\n", as the text field holds them.
    std::u16string text;
    crawl::TextEncoding encoding;
};

// Reads urls.txt in the encoding its byte-order mark tells; without a mark in `narrow` when that
// is Windows Cyrillic, else as UTF-8 when the bytes are valid UTF-8 and Windows Cyrillic when
// not. Every line break (CR LF, CR or LF) becomes one line break of the field. No value when the
// file does not exist; crawl::Error when it cannot be read.
std::optional<LinkListText> ReadLinkList(const std::u16string& path, crawl::TextEncoding narrow);

// Writes the field's text with CR LF line breaks, nothing added after the last line, in
// `encoding`; crawl::Error when the file cannot be written.
void WriteLinkList(const std::u16string& path, std::u16string_view text,
                   crawl::TextEncoding encoding);

} // namespace ui
