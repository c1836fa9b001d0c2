#include "tools/simulator/RegistryData.h"

#include "tools/simulator/RegistryTexts.h"
#include "tools/simulator/RegistryWords.h"
#include "tools/simulator/SplitMix64.h"

#include <set>
#include <string_view>

namespace simulator {
namespace {

using testsupport::FakeMember;

// Highest SRO id the generator hands out.
constexpr int MaxSroId = 450;

// Info fields that the JSON carries as null, or leaves out, instead of their empty text.
struct JsonQuirks {
    std::vector<std::string> nullKeys;
    std::vector<std::string> missingKeys;

    void NullWithChance(SplitMix64& random, double probability, std::string& field, const char* key)
    {
        if (random.Chance(probability)) {
            field.clear();
            nullKeys.emplace_back(key);
        }
    }

    void Apply(FakeMember& member) const
    {
        if (nullKeys.empty() && missingKeys.empty()) {
            return;
        }
        std::string json = testsupport::MemberInfoJson(member);
        for (const std::string& key : nullKeys) {
            const std::string empty = "\"" + key + "\":\"\"";
            json.replace(json.find(empty), empty.size(), "\"" + key + "\":null");
        }
        for (const std::string& key : missingKeys) {
            const std::string empty = ",\"" + key + "\":\"\"";
            json.erase(json.find(empty), empty.size());
        }
        member.infoJson = std::move(json);
    }
};

void FillCity(SplitMix64& random, const Region& region, FakeMember& member, JsonQuirks& quirks)
{
    switch (Weighted(random, {78, 10, 2, 3, 2, 5})) {
    case 0:
        member.city = region.city;
        break;
    case 1: // left empty in favour of the locality
        member.locality = random.Pick(Localities);
        break;
    case 2: // blanks and tags only, which count as empty too
        member.city = random.Chance(0.5) ? "  " : "<p></p>";
        member.locality = random.Pick(Localities);
        break;
    case 3: // neither
        break;
    case 4:
        quirks.nullKeys.emplace_back("city");
        break;
    default:
        member.city = region.city;
        member.locality = random.Pick(Localities);
        break;
    }
    if (member.locality.empty() && random.Chance(0.3)) {
        quirks.missingKeys.emplace_back("locality");
    }
}

FakeMember GenerateMember(SplitMix64& random, std::string id, const SimulatedSro& sro,
                          const Region& home)
{
    const Region& region = random.Chance(0.7) ? home : random.Pick(Regions);
    FakeMember member;
    member.id = std::move(id);
    const bool soleTrader = random.Chance(0.08);
    member.shortDescription = ShortName(random, soleTrader);
    member.memberStatus = MemberStatuses[Weighted(random, {80, 13, 7})];
    member.inn = Digits(random, std::string(region.innPrefix), soleTrader ? 12 : 10);
    member.registrationDate = RegistrationDate(random);

    JsonQuirks quirks;
    member.phones = Phones(random, region);
    quirks.NullWithChance(random, 0.02, member.phones, "phones");
    FillCity(random, region, member, quirks);
    member.index = random.Chance(0.12) ? "" : Digits(random, std::string(region.indexPrefix), 6);
    quirks.NullWithChance(random, 0.03, member.index, "index");
    member.country = random.Chance(0.35) ? "Российская Федерация" : "Россия";
    member.subject = random.Chance(0.03) ? "" : std::string(region.subject);
    member.street = random.Chance(0.05) ? "" : std::string(random.Pick(Streets));
    member.house = House(random);
    member.building = Building(random);
    quirks.NullWithChance(random, 0.05, member.building, "building");
    member.room = Room(random);
    quirks.NullWithChance(random, 0.06, member.room, "room");
    member.director = random.Chance(0.04) ? "" : Director(random);
    quirks.NullWithChance(random, 0.02, member.director, "director");
    member.sroFullDescription = sro.fullDescription;
    quirks.Apply(member);
    return member;
}

int MemberCount(SplitMix64& random, const std::string& sroId)
{
    if (sroId == DefaultSroId) {
        return random.Between(41, 59); // three pages: enough to see paging, quick to crawl
    }
    switch (Weighted(random, {5, 10, 65, 20})) {
    case 0:
        return 0;
    case 1:
        return random.Between(1, 19);
    case 2:
        return random.Between(20, 140);
    default:
        return random.Between(150, 320);
    }
}

} // namespace

std::vector<SimulatedSro> GenerateRegistry(std::uint64_t seed)
{
    SplitMix64 random(seed);
    std::set<int> ids{std::stoi(DefaultSroId)};
    const auto sroCount = static_cast<std::size_t>(random.Between(36, 48));
    while (ids.size() < sroCount) {
        ids.insert(random.Between(1, MaxSroId));
    }

    std::vector<SimulatedSro> sros;
    int memberId = random.Between(10000, 20000);
    for (const int id : ids) {
        const Region& home = random.Pick(Regions);
        SimulatedSro& sro = sros.emplace_back();
        sro.id = std::to_string(id);
        sro.fullDescription = SroDescription(random, home);
        const int count = MemberCount(random, sro.id);
        for (int i = 0; i < count; ++i) {
            memberId += random.Between(1, 60);
            sro.members.push_back(GenerateMember(random, std::to_string(memberId), sro, home));
        }
    }
    return sros;
}

} // namespace simulator
