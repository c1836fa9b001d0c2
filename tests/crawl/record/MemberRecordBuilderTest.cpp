#include "crawl/record/MemberRecordBuilder.h"

#include "CaseName.h"
#include "crawl/text/Text.h"

#include <gtest/gtest.h>

#include <ostream>

namespace crawl {

void PrintTo(const MemberRecord& record, std::ostream* out)
{
    for (const MemberRecordColumn& column : MemberRecordColumns) {
        *out << "\n  " << Utf16ToUtf8(column.Title) << ": [" << Utf16ToUtf8(record.*column.Field)
             << "]";
    }
}

namespace {

const std::u16string Link = u"https://registry.example.org/member/\"42";

json::JsonValue Parsed(const char16_t* text)
{
    return text != nullptr ? json::ParseString(text) : json::JsonValue();
}

TEST(BuildMemberRecord, CleansEveryRegistryText)
{
    const json::JsonValue item =
        json::ParseString(uR"({"id":"42","short_description":" ООО &quot;Ромашка&quot;\r\n",
             "member_status":{"title":"<b>Член СРО</b>"},"inn":" 7701234567 ",
             "registry_registration_date":"2019-03-05T00:00:00"})");
    const json::JsonValue info =
        json::ParseString(uR"({"data":{"phones":"+7 (495) 123-45-67<br>+7 (916) 123-45-67",
             "index":"101000","base_country":{"title":"Россия"},
             "base_subject":{"title":"г.&nbsp;Москва"},"city":" Москва ",
             "street":"Пр-т Мира,","house":"д.&nbsp;1","building":"стр. 2","room":"оф. 3",
             "director":"Иванов &laquo;И.И.&raquo;",
             "sro":{"full_description":"\tСРО &amp; Союз "}}})");

    EXPECT_EQ(
        BuildMemberRecord(item, info, Link),
        (MemberRecord{.ShortName = u"ООО \"Ромашка\"",
                      .Sro = u"СРО & Союз",
                      .MemberStatus = u"Член СРО",
                      .Inn = u"7701234567",
                      .RegistrationDate = u"2019-03-05",
                      .Phones = u"+7 (495) 123-45-67 +7 (916) 123-45-67",
                      .Address = u"101000 Россия г. Москва Москва Пр-т Мира, д. 1 стр. 2 оф. 3",
                      .City = u"Москва",
                      .Director = u"Иванов \"И.И.\"",
                      .Link = Link}));
}

struct RecordCase {
    const char* name;
    const char16_t* memberItem; // nullptr: nothing
    const char16_t* infoAnswer; // nullptr: nothing
    MemberRecord record;
};

class BuildMemberRecordTest : public testing::TestWithParam<RecordCase> {};

TEST_P(BuildMemberRecordTest, Builds)
{
    EXPECT_EQ(BuildMemberRecord(Parsed(GetParam().memberItem), Parsed(GetParam().infoAnswer), Link),
              GetParam().record);
}

INSTANTIATE_TEST_SUITE_P(
    MemberItem, BuildMemberRecordTest,
    testing::Values(
        RecordCase{"DateCutToTenCharacters",
                   uR"({"registry_registration_date":"2019-03-05 12:00:00"})",
                   nullptr,
                   {.RegistrationDate = u"2019-03-05", .Link = Link}},
        RecordCase{"ShortDateKeptWhole",
                   uR"({"registry_registration_date":"05.03.19"})",
                   nullptr,
                   {.RegistrationDate = u"05.03.19", .Link = Link}},
        RecordCase{"DateCutBeforeCleaning",
                   uR"({"registry_registration_date":"2019&amp;03-05"})",
                   nullptr,
                   {.RegistrationDate = u"2019&0", .Link = Link}},
        RecordCase{"DateCutBeforeTrimming",
                   uR"({"registry_registration_date":"  2019-03-05"})",
                   nullptr,
                   {.RegistrationDate = u"2019-03-", .Link = Link}},
        RecordCase{"NullsReadAsTheWordNull",
                   uR"({"short_description":null,"inn":null,"member_status":{"title":null}})",
                   nullptr,
                   {.ShortName = u"null", .MemberStatus = u"null", .Inn = u"null", .Link = Link}},
        RecordCase{"NumberReadAsText",
                   uR"({"inn":7701234567})",
                   nullptr,
                   {.Inn = u"7701234567", .Link = Link}},
        RecordCase{"NoBreakSpaceCharacterNotTrimmed",
                   u"{\"short_description\":\"\u00A0A\u00A0\"}",
                   nullptr,
                   {.ShortName = u"\u00A0A\u00A0", .Link = Link}},
        RecordCase{"LessThanCutsTheValue",
                   uR"({"short_description":"a &lt; b"})",
                   nullptr,
                   {.ShortName = u"a", .Link = Link}},
        RecordCase{"MemberStatusMissing",
                   uR"({"short_description":"A"})",
                   nullptr,
                   {.ShortName = u"A", .Link = Link}},
        RecordCase{"MemberStatusNull", uR"({"member_status":null})", nullptr, {.Link = Link}},
        RecordCase{"MemberStatusText", uR"({"member_status":"Член"})", nullptr, {.Link = Link}},
        RecordCase{"MemberItemNothing", nullptr, nullptr, {.Link = Link}}),
    CaseName<RecordCase>);

INSTANTIATE_TEST_SUITE_P(
    CityAndAddress, BuildMemberRecordTest,
    testing::Values(
        RecordCase{
            "EmptyCityFallsBackToLocality",
            uR"({})",
            uR"({"data":{"index":"1","base_country":{"title":"Р"},"base_subject":{"title":"О"},
                        "city":"","locality":" пос.&nbsp;Южный ","street":"ул","house":"2",
                        "building":"3","room":"4"}})",
            {.Address = u"1 Р О пос. Южный ул 2 3 4", .City = u"пос. Южный", .Link = Link}},
        RecordCase{"BlankAndTagCityFallsBack",
                   uR"({})",
                   uR"({"data":{"city":"  <b></b>\n","locality":"Южный"}})",
                   {.Address = u"Южный", .City = u"Южный", .Link = Link}},
        RecordCase{"MissingCityFallsBack",
                   uR"({})",
                   uR"({"data":{"locality":"Южный"}})",
                   {.Address = u"Южный", .City = u"Южный", .Link = Link}},
        RecordCase{"NullCityHasNoFallback",
                   uR"({})",
                   uR"({"data":{"city":null,"locality":"Южный","street":"ул"}})",
                   {.Address = u"null ул", .City = u"null", .Link = Link}},
        RecordCase{"NoCityLeavesTwoSpaces",
                   uR"({})",
                   uR"({"data":{"index":"1","base_country":{"title":"Р"},
                        "base_subject":{"title":"О"},"city":"","locality":"","street":"ул",
                        "house":"2","building":"3","room":"4"}})",
                   {.Address = u"1 Р О  ул 2 3 4", .Link = Link}},
        RecordCase{"EmptyBuildingAndRoomTrimmed",
                   uR"({})",
                   uR"({"data":{"index":"1","base_country":{"title":"Р"},
                        "base_subject":{"title":"О"},"city":"Г","street":"ул","house":"2",
                        "building":"","room":""}})",
                   {.Address = u"1 Р О Г ул 2", .City = u"Г", .Link = Link}},
        RecordCase{"NullRoomEndsTheAddress",
                   uR"({})",
                   uR"({"data":{"city":"Г","house":"2","building":"","room":null}})",
                   {.Address = u"Г  2  null", .City = u"Г", .Link = Link}},
        RecordCase{"AddressCleanedAsAWhole",
                   uR"({})",
                   uR"({"data":{"index":"1&lt;","city":"Г","street":"ул&gt;2","house":"3"}})",
                   {.Address = u"12 3", .City = u"Г", .Link = Link}},
        RecordCase{"UnclosedTagInAPartCutsTheRest",
                   uR"({})",
                   uR"({"data":{"index":"1","street":"ул <","house":"3","room":"4"}})",
                   {.Address = u"1    ул", .Link = Link}}),
    CaseName<RecordCase>);

INSTANTIATE_TEST_SUITE_P(
    MissingObjects, BuildMemberRecordTest,
    testing::Values(
        RecordCase{"InfoAnswerNothing", uR"({"inn":"1"})", nullptr, {.Inn = u"1", .Link = Link}},
        RecordCase{"InfoAnswerNotAnObject",
                   uR"({"inn":"1"})",
                   u"<html><body>502 Bad Gateway</body></html>",
                   {.Inn = u"1", .Link = Link}},
        RecordCase{"InfoAnswerArray", uR"({})", uR"([{"data":{"phones":"1"}}])", {.Link = Link}},
        RecordCase{"DataMissing", uR"({})", uR"({"sro":{"full_description":"S"}})", {.Link = Link}},
        RecordCase{"DataNull", uR"({})", uR"({"data":null})", {.Link = Link}},
        RecordCase{"CountrySubjectAndSroMissing",
                   uR"({})",
                   uR"({"data":{"index":"1","city":"Г","street":"ул","phones":"8 916 1",
                        "director":"Д"}})",
                   {.Phones = u"8 916 1",
                    .Address = u"1   Г ул",
                    .City = u"Г",
                    .Director = u"Д",
                    .Link = Link}},
        RecordCase{"CountryAndSubjectNotObjects",
                   uR"({})",
                   uR"({"data":{"base_country":"Россия","base_subject":null,"city":"Г",
                        "sro":{"full_description":"С"}}})",
                   {.Sro = u"С", .Address = u"Г", .City = u"Г", .Link = Link}}),
    CaseName<RecordCase>);

} // namespace
} // namespace crawl
