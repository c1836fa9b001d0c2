#include "ui/LinkListFile.h"

#include "crawl/Error.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>

namespace ui {

namespace {

struct Mark {
    QByteArray bytes;
    TextEncoding encoding;
    QStringConverter::Encoding converter;
};

const Mark Marks[] = {
    {QByteArray("\xEF\xBB\xBF"), TextEncoding::Utf8WithMark, QStringConverter::Utf8},
    {QByteArray("\xFF\xFE"), TextEncoding::Utf16LittleEndianWithMark, QStringConverter::Utf16LE},
    {QByteArray("\xFE\xFF"), TextEncoding::Utf16BigEndianWithMark, QStringConverter::Utf16BE},
};

crawl::Error FileError(const QFile& file)
{
    return crawl::Error(
        QString(file.fileName() + QStringLiteral(": ") + file.errorString()).toStdU16String());
}

QString Decode(const QByteArray& bytes, TextEncoding& encoding)
{
    for (const Mark& mark : Marks) {
        if (bytes.startsWith(mark.bytes)) {
            encoding = mark.encoding;
            QStringDecoder decoder(mark.converter);
            return decoder.decode(bytes.mid(mark.bytes.size()));
        }
    }
    QStringDecoder utf8(QStringConverter::Utf8);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError()) {
        encoding = TextEncoding::Utf8;
        return text;
    }
    encoding = TextEncoding::Windows1251;
    QStringDecoder windows1251("windows-1251");
    return windows1251.decode(bytes);
}

QByteArray Encode(const QString& text, TextEncoding encoding)
{
    if (encoding == TextEncoding::Windows1251) {
        QStringEncoder windows1251("windows-1251");
        return windows1251.encode(text);
    }
    for (const Mark& mark : Marks) {
        if (mark.encoding == encoding) {
            QStringEncoder encoder(mark.converter);
            return mark.bytes + QByteArray(encoder.encode(text));
        }
    }
    QStringEncoder utf8(QStringConverter::Utf8);
    return utf8.encode(text);
}

} // namespace

std::optional<LinkListText> ReadLinkList(const QString& path)
{
    QFile file(path);
    if (!file.exists()) {
        return std::nullopt;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        throw FileError(file);
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        throw FileError(file);
    }
    LinkListText result;
    result.text = Decode(bytes, result.encoding);
    result.text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    result.text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return result;
}

void WriteLinkList(const QString& path, const QString& text, TextEncoding encoding)
{
    QString fileText = text;
    fileText.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    const QByteArray bytes = Encode(fileText, encoding);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes) != bytes.size() || !file.flush()) {
        throw FileError(file);
    }
}

} // namespace ui
