#include "ui/LinkListFile.h"

namespace ui {

std::optional<LinkListText> ReadLinkList(const QString& path)
{
    const std::u16string filePath = path.toStdU16String();
    if (!crawl::FileExists(filePath)) {
        return std::nullopt;
    }
    const crawl::TextFileContent content = crawl::ReadTextFile(filePath);
    QString text = QString::fromStdU16String(content.text);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return LinkListText{text, content.encoding};
}

void WriteLinkList(const QString& path, const QString& text, crawl::TextEncoding encoding)
{
    QString fileText = text;
    fileText.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    crawl::WriteTextFile(path.toStdU16String(), fileText.toStdU16String(), encoding);
}

} // namespace ui
