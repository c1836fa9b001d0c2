#include "crawl/text/TextFile.h"

#include "crawl/platform/CodePage1251.h"
#include "crawl/platform/FileBytes.h"
#include "crawl/text/Text.h"

namespace crawl {
namespace {

constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view Utf16LEMark = "\xFF\xFE";
constexpr std::string_view Utf16BEMark = "\xFE\xFF";

std::u16string DecodeUtf16(std::string_view bytes, bool bigEndian)
{
    std::u16string text;
    text.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        text.push_back(
            static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first));
    }
    return text;
}

std::string EncodeUtf16(std::u16string_view text, bool bigEndian)
{
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (const char16_t unit : text) {
        const auto high = static_cast<char>(unit >> 8);
        const auto low = static_cast<char>(unit & 0xFF);
        bytes.push_back(bigEndian ? high : low);
        bytes.push_back(bigEndian ? low : high);
    }
    return bytes;
}

bool IsValidUtf8(std::string_view bytes)
{
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        std::size_t length = 1;
        char32_t code = lead;
        if (lead >= 0x80) {
            if ((lead & 0xE0) == 0xC0) {
                length = 2, code = lead & 0x1F;
            } else if ((lead & 0xF0) == 0xE0) {
                length = 3, code = lead & 0x0F;
            } else if ((lead & 0xF8) == 0xF0) {
                length = 4, code = lead & 0x07;
            } else {
                return false;
            }
            if (i + length > bytes.size()) {
                return false;
            }
            for (std::size_t k = 1; k < length; ++k) {
                const auto next = static_cast<unsigned char>(bytes[i + k]);
                if ((next & 0xC0) != 0x80) {
                    return false;
                }
                code = (code << 6) | (next & 0x3F);
            }
            constexpr char32_t lowest[] = {0, 0, 0x80, 0x800, 0x10000};
            if (code < lowest[length] || code > 0x10FFFF || (code >= 0xD800 && code < 0xE000)) {
                return false;
            }
        }
        i += length;
    }
    return true;
}

} // namespace

TextEncoding DetectEncoding(std::string_view bytes)
{
    if (bytes.starts_with(Utf8Mark)) {
        return TextEncoding::Utf8Bom;
    }
    if (bytes.starts_with(Utf16LEMark)) {
        return TextEncoding::Utf16LE;
    }
    if (bytes.starts_with(Utf16BEMark)) {
        return TextEncoding::Utf16BE;
    }
    return IsValidUtf8(bytes) ? TextEncoding::Utf8 : TextEncoding::Windows1251;
}

std::u16string DecodeText(std::string_view bytes, TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf8Bom:
        return Utf8ToUtf16(bytes.substr(Utf8Mark.size()));
    case TextEncoding::Utf16LE:
        return DecodeUtf16(bytes.substr(Utf16LEMark.size()), false);
    case TextEncoding::Utf16BE:
        return DecodeUtf16(bytes.substr(Utf16BEMark.size()), true);
    case TextEncoding::Windows1251:
        return FromCodePage1251(bytes);
    case TextEncoding::Utf8:
        break;
    }
    return Utf8ToUtf16(bytes);
}

std::string EncodeText(std::u16string_view text, TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf8Bom:
        return std::string(Utf8Mark) + Utf16ToUtf8(text);
    case TextEncoding::Utf16LE:
        return std::string(Utf16LEMark) + EncodeUtf16(text, false);
    case TextEncoding::Utf16BE:
        return std::string(Utf16BEMark) + EncodeUtf16(text, true);
    case TextEncoding::Windows1251:
        return ToCodePage1251(text);
    case TextEncoding::Utf8:
        break;
    }
    return Utf16ToUtf8(text);
}

bool FileExists(const std::u16string& path)
{
    return IsRegularFile(path);
}

TextFileContent ReadTextFile(const std::u16string& path)
{
    const std::string bytes = ReadFileBytes(path);
    const TextEncoding encoding = DetectEncoding(bytes);
    return {DecodeText(bytes, encoding), encoding};
}

void WriteTextFile(const std::u16string& path, std::u16string_view text, TextEncoding encoding)
{
    WriteFileBytes(path, EncodeText(text, encoding));
}

} // namespace crawl
