#pragma once

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

// The optional list files beside the program that a run reads at its start: skip.txt (links
// of SROs and members to leave out) and useragents.txt (user agents to choose from).
namespace crawl {

// The user agent of a run whose useragents.txt is missing or has no non-empty line.
inline constexpr std::u16string_view DefaultUserAgent =
    u"Mozilla/5.0 (Windows NT 6.1; Win64; x64; rv:105.0) Gecko/20100101 Firefox/105.0";

// The lines of the file, or none when it does not exist. Throws crawl::Error when it exists
// but cannot be read.
std::vector<std::u16string> ReadOptionalLines(const std::u16string& path);

// Links to leave out: the trimmed non-empty lines of skip.txt, compared exactly.
class SkipList {
public:
    SkipList() = default;
    explicit SkipList(const std::vector<std::u16string>& lines);

    bool Contains(std::u16string_view link) const;

private:
    std::unordered_set<std::u16string> links_;
};

// One of the trimmed non-empty lines, chosen at random; DefaultUserAgent when there is none.
std::u16string ChooseUserAgent(const std::vector<std::u16string>& lines);

} // namespace crawl
