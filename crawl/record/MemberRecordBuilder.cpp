#include "crawl/record/MemberRecordBuilder.h"

#include "crawl/record/HtmlToText.h"
#include "crawl/text/Text.h"

#include <array>
#include <string_view>

namespace crawl {
namespace {

// The registry sends dates with a time after them; the first ten characters are the date.
constexpr std::size_t RegistrationDateLength = 10;

// The text at `key` of the object at `objectPath` of `root`; empty when any of them is missing,
// so that an answer lacking an object yields empty columns instead of failing the member.
std::u16string TextUnder(const json::JsonValue& root, std::u16string_view objectPath,
                         std::u16string_view key)
{
    if (!root) {
        return {};
    }
    const json::JsonValue object = root.ObjectAt(objectPath);
    return object ? object.StringAt(key) : std::u16string();
}

std::u16string TextAt(const json::JsonValue& value, std::u16string_view key)
{
    return value ? value.StringAt(key) : std::u16string();
}

std::u16string Cleaned(std::u16string_view text)
{
    return Trim(HtmlToText(text));
}

std::u16string CityOf(const json::JsonValue& infoAnswer)
{
    std::u16string city = Cleaned(TextUnder(infoAnswer, u"data", u"city"));
    if (city.empty()) {
        city = Cleaned(TextUnder(infoAnswer, u"data", u"locality"));
    }
    return city;
}

// Empty parts keep their spaces; the cleaning of the whole trims those at the ends.
std::u16string AddressOf(const json::JsonValue& infoAnswer, std::u16string_view city)
{
    const std::array<std::u16string, 8> parts = {
        TextUnder(infoAnswer, u"data", u"index"),
        TextUnder(infoAnswer, u"data.base_country", u"title"),
        TextUnder(infoAnswer, u"data.base_subject", u"title"),
        std::u16string(city),
        TextUnder(infoAnswer, u"data", u"street"),
        TextUnder(infoAnswer, u"data", u"house"),
        TextUnder(infoAnswer, u"data", u"building"),
        TextUnder(infoAnswer, u"data", u"room"),
    };
    std::u16string joined = parts.front();
    for (std::size_t i = 1; i < parts.size(); ++i) {
        joined.append(u" ").append(parts[i]);
    }
    return Cleaned(joined);
}

} // namespace

MemberRecord BuildMemberRecord(const json::JsonValue& memberItem, const json::JsonValue& infoAnswer,
                               std::u16string link)
{
    MemberRecord record;
    record.ShortName = Cleaned(TextAt(memberItem, u"short_description"));
    record.MemberStatus = Cleaned(TextUnder(memberItem, u"member_status", u"title"));
    record.Inn = Cleaned(TextAt(memberItem, u"inn"));
    const std::u16string date = TextAt(memberItem, u"registry_registration_date");
    record.RegistrationDate = Cleaned(std::u16string_view(date).substr(0, RegistrationDateLength));
    record.Phones = Cleaned(TextUnder(infoAnswer, u"data", u"phones"));
    record.City = CityOf(infoAnswer);
    record.Address = AddressOf(infoAnswer, record.City);
    record.Director = Cleaned(TextUnder(infoAnswer, u"data", u"director"));
    record.Sro = Cleaned(TextUnder(infoAnswer, u"data.sro", u"full_description"));
    record.Link = std::move(link);
    return record;
}

} // namespace crawl
