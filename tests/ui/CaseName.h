#pragma once

#include <gtest/gtest.h>

#include <string>

namespace ui::test {

// Names a row of a parameter table after its `name` field.
template <class Case>
std::string CaseName(const testing::TestParamInfo<Case>& caseInfo)
{
    return caseInfo.param.name;
}

} // namespace ui::test
