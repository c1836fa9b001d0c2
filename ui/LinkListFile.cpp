#include "ui/LinkListFile.h"

#include "ui/LineBreaks.h"

namespace ui {

std::optional<LinkListText> ReadLinkList(const std::u16string& path, crawl::TextEncoding narrow)
{
    if (!crawl::FileExists(path)) {
        return std::nullopt;
    }
    crawl::TextFileContent content = crawl::ReadTextFile(path);
    // Valid UTF-8 without a mark is still the ANSI code page's where the system has one.
    if (content.encoding == crawl::TextEncoding::Utf8 &&
        narrow == crawl::TextEncoding::Windows1251) {
        content.text = crawl::DecodeText(crawl::EncodeText(content.text, content.encoding), narrow);
        content.encoding = narrow;
    }
    return LinkListText{FieldLines(content.text), content.encoding};
}

void WriteLinkList(const std::u16string& path, std::u16string_view text,
                   crawl::TextEncoding encoding)
{
    crawl::WriteTextFile(path, CrLfLines(text), encoding);
}

} // namespace ui
