#pragma once

#include "crawl/text/TextFile.h"

#include <QString>

#include <optional>

namespace ui {

// A link list that was not read from a file is written as UTF-8 without a mark.
inline constexpr crawl::TextEncoding NewFileEncoding = crawl::TextEncoding::Utf8;

struct LinkListText {
    // Lines separated by "\n", as the text field holds them.
    QString text;
    crawl::TextEncoding encoding;
};

// Reads urls.txt in the encoding its bytes tell; every line break (CR LF, CR or LF) becomes one
// line break of the field. No value when the file does not exist; crawl::Error when it cannot
// be read.
std::optional<LinkListText> ReadLinkList(const QString& path);

// Writes the field's text with CR LF line breaks, nothing added after the last line, in
// `encoding`; crawl::Error when the file cannot be written.
void WriteLinkList(const QString& path, const QString& text, crawl::TextEncoding encoding);

} // namespace ui
