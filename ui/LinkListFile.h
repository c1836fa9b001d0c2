#pragma once

#include <QString>

#include <optional>

namespace ui {

// How a text file is encoded: the byte-order mark it starts with, or none.
enum class TextEncoding {
    Utf8,
    Utf8WithMark,
    Utf16LittleEndianWithMark,
    Utf16BigEndianWithMark,
    Windows1251
};

// A link list that was not read from a file is written as UTF-8 without a mark.
inline constexpr TextEncoding NewFileEncoding = TextEncoding::Utf8;

struct LinkListText {
    // Lines separated by "\n", as the text field holds them.
    QString text;
    TextEncoding encoding;
};

// Reads urls.txt: the encoding from its byte-order mark, else UTF-8, else Windows-1251 when the
// bytes are not valid UTF-8; every line break (CR LF, CR or LF) becomes one line break of the
// field. No value when the file does not exist; crawl::Error when it cannot be read.
std::optional<LinkListText> ReadLinkList(const QString& path);

// Writes the field's text with CR LF line breaks, nothing added after the last line, in
// `encoding` with its byte-order mark; crawl::Error when the file cannot be written.
void WriteLinkList(const QString& path, const QString& text, TextEncoding encoding);

} // namespace ui
