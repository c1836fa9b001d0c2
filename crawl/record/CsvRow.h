#pragma once

#include "crawl/record/MemberRecord.h"

#include <string>

// The lines of the result file, without their line break: every value between double quotes,
// the values separated by semicolons, no blanks added.
namespace crawl {

// The ten column titles.
std::u16string HeaderRowText();

// The member's values, double quotes replaced by apostrophes in eight columns; in the
// registration date and the link a double quote is written doubled, as CSV readers expect.
std::u16string RowText(const MemberRecord& record);

} // namespace crawl
