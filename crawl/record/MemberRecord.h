#pragma once

#include <array>
#include <string>
#include <string_view>

namespace crawl {

// The ten texts of one member, in the column order of the result file. Every field starts
// empty, so a record may name only some of them ({.ShortName = ...}).
struct MemberRecord {
    std::u16string ShortName{};
    std::u16string Sro{};
    std::u16string MemberStatus{};
    std::u16string Inn{};
    std::u16string RegistrationDate{};
    std::u16string Phones{};
    std::u16string Address{};
    std::u16string City{};
    std::u16string Director{};
    std::u16string Link{};

    friend bool operator==(const MemberRecord&, const MemberRecord&) = default;
};

struct MemberRecordColumn {
    std::u16string MemberRecord::*Field;
    std::u16string_view Title;
    // True for the columns whose double quotes become apostrophes in a row; the date and the
    // link keep theirs (written doubled there).
    bool ReplacesQuotes;
};

inline constexpr std::array<MemberRecordColumn, 10> MemberRecordColumns = {{
    {&MemberRecord::ShortName, u"Сокращенное наименование", true},
    {&MemberRecord::Sro, u"СРО", true},
    {&MemberRecord::MemberStatus, u"Статус члена СРО", true},
    {&MemberRecord::Inn, u"ИНН", true},
    {&MemberRecord::RegistrationDate, u"Дата регистрации в реестре", false},
    {&MemberRecord::Phones, u"Телефон", true},
    {&MemberRecord::Address, u"Адрес местонахождения юридического лица", true},
    {&MemberRecord::City, u"Город", true},
    {&MemberRecord::Director, u"Руководитель", true},
    {&MemberRecord::Link, u"Ссылка", false},
}};

} // namespace crawl
