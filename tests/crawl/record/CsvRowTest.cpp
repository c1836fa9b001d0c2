#include "crawl/record/CsvRow.h"

#include "CaseName.h"

#include <gtest/gtest.h>

namespace crawl {
namespace {

TEST(HeaderRowText, QuotesTheTenTitlesInColumnOrder)
{
    EXPECT_EQ(HeaderRowText(),
              u"\"Сокращенное наименование\";\"СРО\";\"Статус члена СРО\";\"ИНН\";"
              u"\"Дата регистрации в реестре\";\"Телефон\";"
              u"\"Адрес местонахождения юридического лица\";\"Город\";\"Руководитель\";"
              u"\"Ссылка\"");
}

struct RowCase {
    const char* name;
    MemberRecord record;
    std::u16string row;
};

class RowTextTest : public testing::TestWithParam<RowCase> {};

TEST_P(RowTextTest, FollowsTheRowRule)
{
    EXPECT_EQ(RowText(GetParam().record), GetParam().row);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RowTextTest,
    testing::Values(
        RowCase{"EmptyValues", {}, u"\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"\";\"\""},
        RowCase{"ValuesInColumnOrder",
                {u"1", u"2", u"3", u"4", u"5", u"6", u"7", u"8", u"9", u"10"},
                u"\"1\";\"2\";\"3\";\"4\";\"5\";\"6\";\"7\";\"8\";\"9\";\"10\""},
        RowCase{"SemicolonsStayInsideTheQuotes",
                {u"a;b", u";", u"", u"", u"", u"+7 1; +7 2", u"", u"", u"", u""},
                u"\"a;b\";\";\";\"\";\"\";\"\";\"+7 1; +7 2\";\"\";\"\";\"\";\"\""},
        RowCase{"QuotesBecomeApostrophesExceptInDateAndLink",
                {u"ООО \"Р\"", u"\"С\"", u"\"", u"\"4", u"2020\"01", u"\"6\"", u"7\"", u"\"8",
                 u"Д\"", u"https://h/member/\"1\""},
                u"\"ООО 'Р'\";\"'С'\";\"'\";\"'4\";\"2020\"\"01\";\"'6'\";\"7'\";\"'8\";\"Д'\";"
                u"\"https://h/member/\"\"1\"\"\""},
        RowCase{"OtherQuoteCharactersStay",
                {u"«Р» 'x'", u"", u"", u"", u"'", u"", u"", u"", u"", u"“y”"},
                u"\"«Р» 'x'\";\"\";\"\";\"\";\"'\";\"\";\"\";\"\";\"\";\"“y”\""}),
    CaseName<RowCase>);

} // namespace
} // namespace crawl
