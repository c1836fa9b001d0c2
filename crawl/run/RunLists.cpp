#include "crawl/run/RunLists.h"

#include "crawl/text/Text.h"
#include "crawl/text/TextFile.h"

#include <random>

namespace crawl {

std::vector<std::u16string> ReadOptionalLines(const std::u16string& path)
{
    if (!FileExists(path)) {
        return {};
    }
    return SplitLines(ReadTextFile(path).text);
}

SkipList::SkipList(const std::vector<std::u16string>& lines)
{
    for (const std::u16string& line : lines) {
        std::u16string link = Trim(line);
        if (!link.empty()) {
            links_.insert(std::move(link));
        }
    }
}

bool SkipList::Contains(std::u16string_view link) const
{
    return links_.contains(std::u16string(link));
}

std::u16string ChooseUserAgent(const std::vector<std::u16string>& lines)
{
    std::vector<std::u16string> agents;
    for (const std::u16string& line : lines) {
        std::u16string agent = Trim(line);
        if (!agent.empty()) {
            agents.push_back(std::move(agent));
        }
    }
    if (agents.empty()) {
        return std::u16string(DefaultUserAgent);
    }
    std::random_device seed;
    std::mt19937 generator(seed());
    std::uniform_int_distribution<std::size_t> pick(0, agents.size() - 1);
    return agents[pick(generator)];
}

} // namespace crawl
