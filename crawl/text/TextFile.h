#pragma once

#include <string>
#include <string_view>

// Whole-file text reading and writing for the program's own small files (urls.txt, skip.txt,
// useragents.txt, the log file). Paths are UTF-16 like every text of the core.
namespace crawl {

enum class TextEncoding {
    Utf8,        // no byte-order mark
    Utf8Bom,     // EF BB BF
    Utf16LE,     // FF FE
    Utf16BE,     // FE FF
    Windows1251, // no mark and not valid UTF-8: a file written on a Windows machine
};

struct TextFileContent {
    std::u16string text; // without the byte-order mark
    TextEncoding encoding = TextEncoding::Utf8;
};

bool FileExists(const std::u16string& path);

// The encoding is told by a byte-order mark; without one the bytes are UTF-8 when they are
// valid UTF-8, else Windows-1251. Throws crawl::Error "Cannot open file "<path>". <reason>".
TextFileContent ReadTextFile(const std::u16string& path);

// Creates or overwrites the file with the text in the encoding, the mark included where the
// encoding has one. Throws crawl::Error "Cannot create file "<path>". <reason>".
void WriteTextFile(const std::u16string& path, std::u16string_view text, TextEncoding encoding);

// The encoding a byte sequence is read in (exposed for tests and for callers that already
// hold the bytes), and the decoding itself.
TextEncoding DetectEncoding(std::string_view bytes);
std::u16string DecodeText(std::string_view bytes, TextEncoding encoding);
std::string EncodeText(std::u16string_view text, TextEncoding encoding);

} // namespace crawl
