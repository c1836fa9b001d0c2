#include "crawl/record/ResultFile.h"

#include "crawl/platform/CodePage1251.h"
#include "crawl/platform/TickCount.h"
#include "crawl/record/CsvRow.h"

namespace crawl {
namespace {

constexpr std::string_view LineBreak = "\r\n";

} // namespace

std::u16string ResultFile::FileName(std::uint32_t tickCount)
{
    return u"data" + TickCountText(tickCount) + u".csv";
}

std::u16string ResultFile::FullPath(std::u16string_view folder, std::uint32_t tickCount)
{
    return std::u16string(folder) + FileName(tickCount);
}

void ResultFile::Create(std::u16string fullPath)
{
    file_.Create(fullPath);
    try {
        WriteLine(HeaderRowText());
    } catch (...) {
        Close();
        throw;
    }
}

void ResultFile::AppendRow(const MemberRecord& record)
{
    WriteLine(RowText(record));
}

void ResultFile::Close() noexcept
{
    file_.Close();
}

void ResultFile::WriteLine(std::u16string_view text)
{
    // Two writes, the text and then the break, each handed to the file before returning.
    file_.Write(ToCodePage1251(text));
    file_.Write(LineBreak);
}

} // namespace crawl
