#pragma once

#include <bit>
#include <cstddef>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define CRAWL_JSON_SCAN_SSE2 1
#endif

// Fast scans over UTF-16 input: most of a registry answer is long runs of text between the
// few characters that matter.
namespace crawl::json {

// The first character in [begin, end) that equals one of `wanted`, or end.
template <typename... Wanted>
const char16_t* FindFirstOf(const char16_t* begin, const char16_t* end, Wanted... wanted) noexcept
{
#ifdef CRAWL_JSON_SCAN_SSE2
    // Eight characters per step; the mask has two bits for each character that matches.
    constexpr std::ptrdiff_t Step = 8;
    while (end - begin >= Step) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(begin));
        __m128i hit = _mm_setzero_si128();
        ((hit = _mm_or_si128(hit,
                             _mm_cmpeq_epi16(chunk, _mm_set1_epi16(static_cast<short>(wanted))))),
         ...);
        const auto mask = static_cast<unsigned>(_mm_movemask_epi8(hit));
        if (mask != 0) {
            return begin + std::countr_zero(mask) / 2;
        }
        begin += Step;
    }
#endif
    while (begin != end && !((*begin == wanted) || ...)) {
        ++begin;
    }
    return begin;
}

} // namespace crawl::json
