#pragma once

#include <string>
#include <string_view>

// Case rules of protocol names (schemes, header names, tokens): ASCII letters only.
namespace crawl::http {

inline char16_t LowerAscii(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? char16_t(c + (u'a' - u'A')) : c;
}

inline std::u16string LowerAscii(std::u16string_view text)
{
    std::u16string lowered(text);
    for (char16_t& c : lowered) {
        c = LowerAscii(c);
    }
    return lowered;
}

// Case-insensitive comparison of ASCII names.
inline bool SameName(std::u16string_view left, std::u16string_view right)
{
    if (left.size() != right.size()) {
        return false;
    }
    for (std::size_t i = 0; i < left.size(); ++i) {
        if (LowerAscii(left[i]) != LowerAscii(right[i])) {
            return false;
        }
    }
    return true;
}

} // namespace crawl::http
