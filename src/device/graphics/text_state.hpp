#pragma once
#include <array>
#include <cstddef>

namespace ql {

inline constexpr std::size_t TEXT_SCRATCH_SIZE = 128;

// Texts are NUL-terminated Latin-1 byte strings ("\xE9" is e acute).
struct TextState {
    // TextScratch: the shared buffer in which texts and formatted numbers are built before
    // they are drawn; the next text routine overwrites it.
    std::array<char, TEXT_SCRATCH_SIZE> scratch{};
};

} // namespace ql
