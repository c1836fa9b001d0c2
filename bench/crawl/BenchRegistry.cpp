#include "bench/crawl/BenchRegistry.h"

namespace bench {

std::string BenchMemberId(std::size_t index)
{
    return std::to_string(100000 + index);
}

std::vector<testsupport::FakeMember> BenchMembers(std::size_t count)
{
    std::vector<testsupport::FakeMember> members;
    members.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::string number = std::to_string(i);
        const std::string digits = std::to_string(1000000 + i % 9000000);
        members.push_back(testsupport::FakeMember{
            .id = BenchMemberId(i),
            .shortDescription = "ООО «Строймонтаж-" + number + "»",
            .memberStatus = "Является членом",
            .inn = std::to_string(7700000000 + i),
            .registrationDate = "2017-03-14T00:00:00",
            .phones = i % 2 == 0 ? "+7 (912) " + digits : "8 (495) " + digits,
            .city = "Москва",
            .locality = "",
            .index = "1150" + std::to_string(i % 100),
            .street = "ул. Строителей",
            .house = std::to_string(1 + i % 120),
            .building = "стр. 2",
            .room = "оф. " + std::to_string(1 + i % 400),
            .director = "Иванов Иван Иванович",
            .country = "Российская Федерация",
            .subject = "г. Москва",
            .sroFullDescription = "Ассоциация «Саморегулируемая организация строителей»",
        });
    }
    return members;
}

int PageCount(std::size_t members)
{
    return static_cast<int>((members + MembersPerPage - 1) / MembersPerPage);
}

void FillRegistry(testsupport::FakeRegistry& registry, std::size_t members)
{
    registry.AddSro(BenchSroId, BenchMembers(members));
}

} // namespace bench
