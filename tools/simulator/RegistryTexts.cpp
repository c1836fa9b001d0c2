#include "tools/simulator/RegistryTexts.h"

#include "tools/simulator/SplitMix64.h"

#include <string_view>

namespace simulator {
namespace {

std::string QuotedCompanyName(SplitMix64& random)
{
    std::string core;
    switch (Weighted(random, {75, 12, 8, 5})) {
    case 0: {
        const std::string_view head = random.Pick(NameHeads);
        core = std::string(head) + std::string(random.Pick(NameTails));
        break;
    }
    case 1:
        core = "СМУ-" + Number(random, 1, 99);
        break;
    case 2:
        core = std::string(random.Pick(NameHeads)) + " &amp; Партнеры";
        break;
    default: {
        const std::string_view head = random.Pick(NameHeads);
        core = std::string(head) + "-" + Number(random, 1, 99);
        break;
    }
    }
    const std::string_view prefix = random.Pick(NamePrefixes);
    switch (Weighted(random, {45, 20, 15, 10, 10})) {
    case 0:
        return std::string(prefix) + "&quot;" + core + "&quot;";
    case 1:
        return std::string(prefix) + "«" + core + "»";
    case 2:
        return std::string(prefix) + "&laquo;" + core + "&raquo;";
    case 3:
        return std::string(prefix) + "\"" + core + "\"";
    default:
        return "«" + std::string(random.Pick(NestedPrefixes)) + "&quot;" + core + "&quot;»";
    }
}

// The last `digits` digits of a number as 123-45-67 or 12-34-56 (or without separators).
std::string Subscriber(SplitMix64& random, std::size_t digits, std::string_view separator)
{
    std::string text = Number(random, 2, 9); // no local number begins with 0 or 1
    random.AppendDigits(text, static_cast<int>(digits) - 5);
    text += separator;
    random.AppendDigits(text, 2);
    text += separator;
    random.AppendDigits(text, 2);
    return text;
}

std::string MobilePhone(SplitMix64& random)
{
    const std::string code = Digits(random, "9", 3);
    switch (Weighted(random, {50, 20, 15, 15})) {
    case 0:
        return "+7 (" + code + ") " + Subscriber(random, 7, "-");
    case 1:
        return "8-" + code + "-" + Subscriber(random, 7, "-");
    case 2:
        return "8 " + code + " " + Subscriber(random, 7, " ");
    default:
        return "+7" + code + Subscriber(random, 7, "");
    }
}

std::string LandlinePhone(SplitMix64& random, std::string_view areaCode)
{
    const std::string code(areaCode);
    const std::size_t digits = 10 - code.size();
    std::string phone;
    switch (Weighted(random, {50, 25, 15, 10})) {
    case 0:
        phone = "+7 (" + code + ") " + Subscriber(random, digits, "-");
        break;
    case 1:
        phone = "8 (" + code + ") " + Subscriber(random, digits, "-");
        break;
    case 2:
        phone = "+7(" + code + ")" + Subscriber(random, digits, "");
        break;
    default:
        phone = "8-" + code + "-" + Subscriber(random, digits, "-");
        break;
    }
    if (random.Chance(0.25)) {
        const bool inBrackets = random.Chance(0.3);
        phone += inBrackets ? " (доб. " : " доб. ";
        random.AppendDigits(phone, random.Between(2, 4));
        if (inBrackets) {
            phone += ")";
        }
    }
    return phone;
}

} // namespace

std::size_t Weighted(SplitMix64& random, std::initializer_list<int> weights)
{
    int total = 0;
    for (const int weight : weights) {
        total += weight;
    }
    int draw = random.Between(0, total - 1);
    std::size_t index = 0;
    for (const int weight : weights) {
        if (draw < weight) {
            return index;
        }
        draw -= weight;
        ++index;
    }
    return index - 1;
}

std::string Number(SplitMix64& random, int low, int high)
{
    return std::to_string(random.Between(low, high));
}

std::string Digits(SplitMix64& random, std::string prefix, std::size_t length)
{
    random.AppendDigits(prefix, static_cast<int>(length - prefix.size()));
    return prefix;
}

std::string PersonName(SplitMix64& random)
{
    const bool female = random.Chance(0.3);
    const Patronymic& patronymic = random.Pick(Patronymics);
    std::string surname(random.Pick(Surnames));
    if (female) {
        surname += "а";
    }
    if (random.Chance(0.1)) {
        // "Иванов И. И.": the initials are the first letter, two bytes in UTF-8.
        const std::string_view name = female ? random.Pick(FemaleNames) : random.Pick(MaleNames);
        return surname + " " + std::string(name.substr(0, 2)) + ". " +
               std::string(patronymic.male.substr(0, 2)) + ".";
    }
    return surname + " " + std::string(female ? random.Pick(FemaleNames) : random.Pick(MaleNames)) +
           " " + std::string(female ? patronymic.female : patronymic.male);
}

std::string ShortName(SplitMix64& random, bool soleTrader)
{
    std::string name;
    if (soleTrader) {
        name = "ИП " + PersonName(random);
    } else {
        name = random.Pick(LegalForms);
        name += " " + QuotedCompanyName(random);
    }
    if (random.Chance(0.03)) {
        name = " " + name + "\n"; // stray blanks that trimming removes
    }
    return name;
}

std::string RegistrationDate(SplitMix64& random)
{
    const int month = random.Between(1, 12);
    const int day = random.Between(1, 28);
    std::string date = Number(random, 2009, 2024) + (month < 10 ? "-0" : "-") +
                       std::to_string(month) + (day < 10 ? "-0" : "-") + std::to_string(day);
    switch (Weighted(random, {65, 30, 5})) {
    case 0:
        return date + "T00:00:00";
    case 1:
        return date;
    default: {
        const std::string hour = Digits(random, "1", 2);
        return date + "T" + hour + ":" + Digits(random, "3", 2) + ":00";
    }
    }
}

std::string Phones(SplitMix64& random, const Region& region)
{
    const std::size_t count = Weighted(random, {6, 54, 30, 10});
    const std::string_view separator = random.Pick(PhoneSeparators);
    std::string phones;
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0) {
            phones += separator;
        }
        phones += random.Chance(0.4) ? MobilePhone(random) : LandlinePhone(random, region.areaCode);
    }
    return phones;
}

std::string House(SplitMix64& random)
{
    std::string number = Number(random, 1, 150);
    if (random.Chance(0.15)) {
        number += random.Chance(0.5) ? "А" : "Б";
    }
    switch (Weighted(random, {60, 15, 15, 10})) {
    case 0:
        return "д. " + number;
    case 1:
        return "дом " + number;
    case 2:
        return number;
    default:
        return "д.&nbsp;" + number;
    }
}

std::string Building(SplitMix64& random)
{
    switch (Weighted(random, {50, 20, 15, 10, 5})) {
    case 0:
        return "";
    case 1:
        return "корп. " + Number(random, 1, 9);
    case 2:
        return "стр. " + Number(random, 1, 12);
    case 3:
        return "к. " + Number(random, 1, 5);
    default:
        return "лит. А";
    }
}

std::string Room(SplitMix64& random)
{
    switch (Weighted(random, {40, 30, 12, 8, 10})) {
    case 0:
        return "";
    case 1:
        return "оф. " + Number(random, 1, 999);
    case 2:
        return "пом. " + std::string(random.Pick(RomanNumerals));
    case 3:
        return "кв. " + Number(random, 1, 300);
    default: {
        const std::string floor = Number(random, 1, 25);
        return "эт. " + floor + ", оф. " + Number(random, 100, 2599);
    }
    }
}

std::string Director(SplitMix64& random)
{
    if (random.Chance(0.12)) {
        const std::string_view title = random.Pick(DirectorTitles);
        return std::string(title) + " " + PersonName(random);
    }
    return PersonName(random);
}

std::string SroDescription(SplitMix64& random, const Region& region)
{
    const Trade& trade = random.Pick(Trades);
    const std::string body = std::string(random.Pick(SroBodies)) + " " + std::string(trade.plural) +
                             " " + std::string(region.sroArea);
    std::string description;
    switch (Weighted(random, {30, 30, 20, 20})) {
    case 0:
        description = "Ассоциация &quot;Саморегулируемая организация &quot;" + body + "&quot;";
        break;
    case 1:
        description = "Саморегулируемая организация Ассоциация «" + body + "»";
        break;
    case 2:
        description = "Союз &laquo;" + body + "&raquo;";
        break;
    default:
        description = "Ассоциация «Саморегулируемая организация «" + body + "»»";
        break;
    }
    if (random.Chance(0.6)) {
        const std::string number = Digits(random, "", 3);
        description +=
            " (СРО-" + std::string(trade.letter) + "-" + number + "-" + Digits(random, "", 8) + ")";
    }
    return description;
}

} // namespace simulator
