#include "crawl/http/CookieDate.h"

#include <array>
#include <vector>

namespace crawl::http {
namespace {

// RFC 6265 5.1.1: delimiter = %x09 / %x20-2F / %x3B-40 / %x5B-60 / %x7B-7E.
bool IsDelimiter(char16_t c)
{
    return c == 0x09 || (c >= 0x20 && c <= 0x2F) || (c >= 0x3B && c <= 0x40) ||
           (c >= 0x5B && c <= 0x60) || (c >= 0x7B && c <= 0x7E);
}

bool IsDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

char16_t LowerAscii(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + (u'a' - u'A')) : c;
}

// Reads 1 to `maxDigits` digits at `position`; the token must end there or go on with a
// non-digit (the "( non-digit *OCTET )" tail of the grammar).
std::optional<int> Digits(std::u16string_view token, std::size_t& position, std::size_t minDigits,
                          std::size_t maxDigits)
{
    const std::size_t start = position;
    int value = 0;
    while (position < token.size() && IsDigit(token[position]) && position - start < maxDigits) {
        value = value * 10 + (token[position] - u'0');
        ++position;
    }
    const std::size_t count = position - start;
    if (count < minDigits || (position < token.size() && IsDigit(token[position]))) {
        return std::nullopt;
    }
    return value;
}

// time = hms-time ( non-digit *OCTET ); hms-time = time-field ":" time-field ":" time-field.
std::optional<std::array<int, 3>> Time(std::u16string_view token)
{
    std::array<int, 3> fields{};
    std::size_t position = 0;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            if (position >= token.size() || token[position] != u':') {
                return std::nullopt;
            }
            ++position;
        }
        const std::optional<int> field = Digits(token, position, 1, 2);
        if (!field) {
            return std::nullopt;
        }
        fields[i] = *field;
    }
    return fields;
}

std::optional<int> Month(std::u16string_view token)
{
    static constexpr std::u16string_view Names[] = {u"jan", u"feb", u"mar", u"apr", u"may", u"jun",
                                                    u"jul", u"aug", u"sep", u"oct", u"nov", u"dec"};
    if (token.size() < 3) {
        return std::nullopt;
    }
    const char16_t prefix[] = {LowerAscii(token[0]), LowerAscii(token[1]), LowerAscii(token[2])};
    for (int month = 0; month < 12; ++month) {
        if (Names[month] == std::u16string_view(prefix, 3)) {
            return month + 1;
        }
    }
    return std::nullopt;
}

std::vector<std::u16string_view> Tokens(std::u16string_view text)
{
    std::vector<std::u16string_view> tokens;
    std::size_t position = 0;
    while (position < text.size()) {
        while (position < text.size() && IsDelimiter(text[position])) {
            ++position;
        }
        const std::size_t start = position;
        while (position < text.size() && !IsDelimiter(text[position])) {
            ++position;
        }
        if (position > start) {
            tokens.push_back(text.substr(start, position - start));
        }
    }
    return tokens;
}

} // namespace

std::optional<std::chrono::sys_seconds> ParseCookieDate(std::u16string_view text)
{
    std::optional<std::array<int, 3>> time;
    std::optional<int> dayOfMonth;
    std::optional<int> month;
    std::optional<int> year;
    for (const std::u16string_view token : Tokens(text)) {
        std::size_t position = 0;
        if (!time && (time = Time(token))) {
            continue;
        }
        if (!dayOfMonth && (dayOfMonth = Digits(token, position, 1, 2))) {
            continue;
        }
        position = 0;
        if (!month && (month = Month(token))) {
            continue;
        }
        if (!year) {
            year = Digits(token, position, 2, 4);
        }
    }
    if (!time || !dayOfMonth || !month || !year) {
        return std::nullopt;
    }
    // Two-digit years: 70 to 99 are 1970 to 1999, 0 to 69 are 2000 to 2069.
    int fullYear = *year;
    if (fullYear >= 70 && fullYear <= 99) {
        fullYear += 1900;
    } else if (fullYear >= 0 && fullYear <= 69) {
        fullYear += 2000;
    }
    const auto [hour, minute, second] = *time;
    if (*dayOfMonth < 1 || *dayOfMonth > 31 || fullYear < 1601 || hour > 23 || minute > 59 ||
        second > 59) {
        return std::nullopt;
    }
    const std::chrono::year_month_day date{std::chrono::year(fullYear),
                                           std::chrono::month(static_cast<unsigned>(*month)),
                                           std::chrono::day(static_cast<unsigned>(*dayOfMonth))};
    if (!date.ok()) {
        return std::nullopt; // such as 31 April
    }
    return std::chrono::sys_days(date) + std::chrono::hours(hour) + std::chrono::minutes(minute) +
           std::chrono::seconds(second);
}

} // namespace crawl::http
