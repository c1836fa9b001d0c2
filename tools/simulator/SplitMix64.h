#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// A tiny pseudo-random generator whose output is fixed by its seed on every platform and
// library version (the standard distributions are not), so a seed names one data set.
namespace simulator {

class SplitMix64 {
public:
    explicit SplitMix64(std::uint64_t seed) : state_(seed) {}

    std::uint64_t Next()
    {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

    // A number from `low` to `high`, both included; the modulo bias is far below notice here.
    int Between(int low, int high)
    {
        const auto span = static_cast<std::uint64_t>(high - low) + 1;
        return low + static_cast<int>(Next() % span);
    }

    // True with the probability `probability` (0 never, 1 always).
    bool Chance(double probability)
    {
        // The top 53 bits as a fraction in [0, 1): exact in a double.
        return static_cast<double>(Next() >> 11) * 0x1.0p-53 < probability;
    }

    template <typename T, std::size_t N>
    const T& Pick(const T (&items)[N])
    {
        return items[Next() % N];
    }

    // Appends `count` decimal digits.
    void AppendDigits(std::string& text, int count)
    {
        for (int i = 0; i < count; ++i) {
            text += static_cast<char>('0' + Next() % 10);
        }
    }

private:
    std::uint64_t state_;
};

} // namespace simulator
