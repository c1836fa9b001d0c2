#include "crawl/record/CsvRow.h"

#include "crawl/record/HtmlToText.h"
#include "crawl/text/Text.h"

namespace crawl {
namespace {

template <class ValueOf>
std::u16string JoinQuoted(ValueOf valueOf)
{
    std::u16string row;
    for (const MemberRecordColumn& column : MemberRecordColumns) {
        row.append(row.empty() ? u"\"" : u"\";\"");
        row.append(valueOf(column));
    }
    row.push_back(u'"');
    return row;
}

} // namespace

std::u16string HeaderRowText()
{
    return JoinQuoted([](const MemberRecordColumn& column) { return column.Title; });
}

std::u16string RowText(const MemberRecord& record)
{
    return JoinQuoted([&record](const MemberRecordColumn& column) {
        const std::u16string& value = record.*column.Field;
        return column.ReplacesQuotes ? ReplaceDoubleQuotes(value)
                                     : ReplaceAll(value, u"\"", u"\"\"");
    });
}

} // namespace crawl
