#pragma once
#include "resources/bitmap.hpp"
#include <cstddef>
#include <initializer_list>
#include <string>
#include <vector>

namespace ql::test {

// Joins picture rows into the form frame_picture produces, so that a test can state what the
// panel should show as a picture a reviewer can read.
inline std::string rows(std::initializer_list<const char*> lines) {
    std::string out;
    for (const char* line : lines) {
        out += line;
        out += '\n';
    }
    return out;
}

// A packed picture's rows as '#'/'.' texts, top row first.
template <std::size_t W, std::size_t H>
std::vector<std::string> picture_lines(const Picture<W, H>& p) {
    std::vector<std::string> lines;
    for (std::size_t y = 0; y < H; ++y) {
        std::string line;
        for (std::size_t x = 0; x < W; ++x)
            line += (p.bytes[(y / 8) * W + x] >> (y % 8)) & 1 ? '#' : '.';
        lines.push_back(line);
    }
    return lines;
}

} // namespace ql::test
