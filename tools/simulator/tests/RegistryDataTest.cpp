#include "tools/simulator/RegistryData.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <regex>
#include <set>
#include <string>
#include <utility>

namespace simulator {
namespace {

using nlohmann::json;
using testsupport::FakeMember;
using testsupport::MemberInfoJson;
using testsupport::MemberItemJson;

// The registry as the texts it serves, so that two registries compare byte for byte.
std::string Served(const std::vector<SimulatedSro>& sros)
{
    std::string served;
    for (const SimulatedSro& sro : sros) {
        served += sro.id + "\n";
        for (const FakeMember& member : sro.members) {
            served += MemberItemJson(member) + "\n" + MemberInfoJson(member) + "\n";
        }
    }
    return served;
}

TEST(RegistryDataTest, SameSeedGivesTheSameRegistryAnotherSeedAnother)
{
    const std::string first = Served(GenerateRegistry(7));
    EXPECT_EQ(first, Served(GenerateRegistry(7)));
    EXPECT_NE(first, Served(GenerateRegistry(8)));
}

bool Contains(const std::string& text, const char* part)
{
    return text.find(part) != std::string::npos;
}

// How many members show each quirk, as parsed from the served JSON texts.
struct Tally {
    int soleTraders = 0, companies = 0;
    int quotEntity = 0, laquoEntities = 0, rawGuillemets = 0, rawQuotes = 0;
    int datesWithTime = 0, plainDates = 0, excluded = 0;
    int mobiles = 0, landlines = 0, extensions = 0, brSeparated = 0, commaSeparated = 0;
    int emptyPhones = 0, nullPhones = 0;
    int localityInsteadOfCity = 0, nullCities = 0, missingLocality = 0;
    int nullIndexes = 0, nullBuildings = 0, nullRooms = 0, nullDirectors = 0, noBreakSpaces = 0;
};

void Count(const json& item, const json& data, Tally& tally)
{
    const std::string name = item["short_description"];
    const std::string inn = item["inn"];
    const bool soleTrader = name.find("ИП ") <= 1; // after a stray blank, if any
    // A sole trader's tax id has 12 digits, a company's 10.
    EXPECT_EQ(inn.size(), soleTrader ? 12u : 10u) << name << " " << inn;
    EXPECT_EQ(inn.find_first_not_of("0123456789"), std::string::npos) << inn;
    ++(soleTrader ? tally.soleTraders : tally.companies);
    tally.quotEntity += Contains(name, "&quot;");
    tally.laquoEntities += Contains(name, "&laquo;") && Contains(name, "&raquo;");
    tally.rawGuillemets += Contains(name, "«") && Contains(name, "»");
    tally.rawQuotes += Contains(name, "\"");

    const std::string date = item["registry_registration_date"];
    static const std::regex datePattern(
        "20[0-9]{2}-[01][0-9]-[0-3][0-9](T[0-2][0-9]:[0-5][0-9]:00)?");
    EXPECT_TRUE(std::regex_match(date, datePattern)) << date;
    ++(date.size() == 10 ? tally.plainDates : tally.datesWithTime);
    const std::string status = item["member_status"]["title"];
    EXPECT_THAT(status, testing::AnyOf("Является членом", "Исключен", "Прекратил членство"));
    tally.excluded += status == "Исключен";

    if (data["phones"].is_null()) {
        ++tally.nullPhones;
    } else {
        const std::string phones = data["phones"];
        tally.emptyPhones += phones.empty();
        static const std::regex mobile(R"((^|[ ,;>])(\+7 ?\(?|8[- ])9[0-9]{2})");
        static const std::regex landline(R"(\([3-8][0-9]{2,3}\))");
        static const std::regex commaBetweenNumbers("[0-9], ?[+8]");
        tally.mobiles += std::regex_search(phones, mobile);
        tally.landlines += std::regex_search(phones, landline);
        tally.extensions += Contains(phones, "доб. ");
        tally.brSeparated += Contains(phones, "<br");
        tally.commaSeparated += std::regex_search(phones, commaBetweenNumbers);
    }
    if (data["city"].is_null()) {
        ++tally.nullCities;
    } else if (data.contains("locality")) {
        const std::string city = data["city"];
        tally.localityInsteadOfCity += (city.empty() || city == "  " || city == "<p></p>") &&
                                       !data["locality"].get<std::string>().empty();
    } else {
        ++tally.missingLocality;
    }
    tally.nullIndexes += data["index"].is_null();
    tally.nullBuildings += data["building"].is_null();
    tally.nullRooms += data["room"].is_null();
    tally.nullDirectors += data["director"].is_null();
    tally.noBreakSpaces +=
        Contains(data["street"].get<std::string>() + data["house"].get<std::string>(), "&nbsp;");
}

class RegistryShapeTest : public testing::TestWithParam<std::uint64_t> {};

TEST_P(RegistryShapeTest, HasTheRegistrysSizesAndQuirks)
{
    const std::vector<SimulatedSro> sros = GenerateRegistry(GetParam());
    EXPECT_THAT(sros.size(), testing::AllOf(testing::Ge(24u), testing::Le(60u)));

    std::set<int> sroIds;
    std::set<std::string> memberIds;
    std::size_t members = 0;
    bool partialLastPage = false;
    Tally tally;
    for (const SimulatedSro& sro : sros) {
        const int id = std::stoi(sro.id);
        EXPECT_TRUE(sroIds.empty() || *sroIds.rbegin() < id) << "SRO ids ascend: " << sro.id;
        sroIds.insert(id);
        members += sro.members.size();
        partialLastPage = partialLastPage || (sro.members.size() > 20 && sro.members.size() % 20);
        for (const FakeMember& member : sro.members) {
            EXPECT_TRUE(memberIds.insert(member.id).second) << "duplicate member " << member.id;
            const json item = json::parse(MemberItemJson(member));
            const json info = json::parse(MemberInfoJson(member));
            EXPECT_EQ(info["data"]["sro"]["full_description"], sro.fullDescription);
            Count(item, info["data"], tally);
        }
    }
    EXPECT_THAT(members, testing::AllOf(testing::Ge(1000u), testing::Le(10000u)));
    EXPECT_TRUE(partialLastPage);
    const auto defaultSro = std::find_if(sros.begin(), sros.end(),
                                         [](const SimulatedSro& sro) { return sro.id == "322"; });
    ASSERT_NE(defaultSro, sros.end());
    EXPECT_GT(defaultSro->members.size(), 40u) << "the default link spans three pages";
    EXPECT_LE(defaultSro->members.size(), 60u);

    const std::pair<const char*, int> quirks[] = {
        {"sole traders", tally.soleTraders},
        {"companies", tally.companies},
        {"&quot; in names", tally.quotEntity},
        {"&laquo;/&raquo; in names", tally.laquoEntities},
        {"raw guillemets in names", tally.rawGuillemets},
        {"raw double quotes in names", tally.rawQuotes},
        {"dates with a time", tally.datesWithTime},
        {"plain dates", tally.plainDates},
        {"excluded members", tally.excluded},
        {"mobiles", tally.mobiles},
        {"landlines", tally.landlines},
        {"extensions", tally.extensions},
        {"phones separated by <br>", tally.brSeparated},
        {"phones separated by commas", tally.commaSeparated},
        {"empty phones", tally.emptyPhones},
        {"null phones", tally.nullPhones},
        {"locality instead of city", tally.localityInsteadOfCity},
        {"null cities", tally.nullCities},
        {"missing locality keys", tally.missingLocality},
        {"null indexes", tally.nullIndexes},
        {"null buildings", tally.nullBuildings},
        {"null rooms", tally.nullRooms},
        {"null directors", tally.nullDirectors},
        {"&nbsp; in addresses", tally.noBreakSpaces},
    };
    for (const auto& [quirk, count] : quirks) {
        EXPECT_GT(count, 0) << quirk;
    }
    // Quirks stay quirks: most members are plain companies with a city and a phone.
    EXPECT_GT(tally.companies, 10 * tally.soleTraders);
    EXPECT_GT(static_cast<int>(members), 4 * (tally.nullCities + tally.localityInsteadOfCity));
    EXPECT_GT(static_cast<int>(members), 4 * (tally.emptyPhones + tally.nullPhones));
}

INSTANTIATE_TEST_SUITE_P(Seeds, RegistryShapeTest, testing::Values(1u, 42u, 2026u),
                         [](const auto& testInfo) {
                             return "Seed" + std::to_string(testInfo.param);
                         });

} // namespace
} // namespace simulator
