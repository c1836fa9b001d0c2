#pragma once

#include "tests/support/FakeRegistry.h"

#include <cstddef>
#include <string>
#include <vector>

// The registry the benchmarks crawl: one SRO whose members look like real ones (Cyrillic names
// and addresses, every other one with a mobile number), served by the local TLS server.
namespace bench {

inline constexpr char BenchSroId[] = "322";
inline constexpr int MembersPerPage = 20;

std::vector<testsupport::FakeMember> BenchMembers(std::size_t count);

// The id of member `index` (from 0) of BenchMembers.
std::string BenchMemberId(std::size_t index);

// Pages of a members list of `members` members.
int PageCount(std::size_t members);

// The registry with one SRO of `members` members.
void FillRegistry(testsupport::FakeRegistry& registry, std::size_t members);

} // namespace bench
