#pragma once
#include <initializer_list>
#include <string>

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

} // namespace ql::test
