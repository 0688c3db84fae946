#pragma once
#include <string>

namespace ql {

// Text made safe inside an XML or HTML element or a double-quoted attribute; a line break is
// kept as a character reference, so a message keeps its lines in a report's attribute too.
inline std::string markup_escaped(const std::string& text) {
    std::string escaped;
    for (char c : text) {
        switch (c) {
        case '&': escaped += "&amp;"; break;
        case '<': escaped += "&lt;"; break;
        case '>': escaped += "&gt;"; break;
        case '"': escaped += "&quot;"; break;
        case '\n': escaped += "&#10;"; break;
        default: escaped += c;
        }
    }
    return escaped;
}

} // namespace ql
