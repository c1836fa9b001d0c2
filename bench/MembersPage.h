#pragma once

#include <cstddef>
#include <string>

namespace bench {

// A members answer of the registry as UTF-8 JSON: pages of 20 members concatenated into the
// one array "data.data", at least `minimumBytes` long. Half of the members carry their
// Cyrillic texts as \u escapes, the other half as raw text; texts hold HTML entities.
std::string MembersPage(std::size_t minimumBytes);

} // namespace bench
