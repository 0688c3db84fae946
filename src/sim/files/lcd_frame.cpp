#include "sim/files/lcd_frame.hpp"
#include "device/graphics/frame_picture.hpp"
#include "device/hardware/lcd_panel.hpp"
#include "sim/files/png_file.hpp"
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

namespace ql {

namespace {

constexpr std::size_t FIRST_ROWS_SHOWN = 3;

bool is_png_name(const std::filesystem::path& path) {
    std::string ext = path.extension().string();
    for (char& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext == ".png";
}

int distance(Rgb a, Rgb b) {
    const int dr = a.r - b.r, dg = a.g - b.g, db = a.b - b.b;
    return dr * dr + dg * dg + db * db;
}

std::string frame_from_image(const RgbImage& image) {
    std::string frame;
    for (int y = 0; y < LCD_ROWS; ++y) {
        for (int x = 0; x < LCD_COLUMNS; ++x) {
            const Rgb c = image.at(x, y);
            frame += distance(c, LCD_ON_COLOUR) < distance(c, LCD_OFF_COLOUR) ? '#' : '.';
        }
        frame += '\n';
    }
    return frame;
}

// The lines of a text, without their line ends (a Windows "\r\n" too).
std::vector<std::string> split_rows(const std::string& text) {
    std::vector<std::string> rows;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        rows.push_back(line);
    }
    return rows;
}

constexpr std::size_t FRAME_LINE = 129; // 128 dots and '\n'
constexpr std::size_t FRAME_TEXT = FRAME_LINE * 64;
constexpr std::size_t FRAME_BITS = 128 * 64 / 8;

// 64 lines of 128 '#' or '.', each ending in '\n', and nothing else.
bool canonical_frame(const std::string& text) {
    if (text.size() != FRAME_TEXT) return false;
    for (std::size_t row = 0; row < LCD_ROWS; ++row) {
        const char* line = text.data() + row * FRAME_LINE;
        if (line[LCD_COLUMNS] != '\n') return false;
        // No branch for each dot, so that the compiler can test many dots at once.
        unsigned other = 0;
        for (std::size_t col = 0; col < LCD_COLUMNS; ++col)
            other |=
                static_cast<unsigned>(line[col] != '#') & static_cast<unsigned>(line[col] != '.');
        if (other != 0) return false;
    }
    return true;
}

// Checks a print-lcd text line by line, so that a hand-edited frame is reported precisely.
bool frame_from_text(const std::filesystem::path& path, const std::string& text, std::string& frame,
                     std::string& error) {
    std::vector<std::string> rows = split_rows(text);
    while (!rows.empty() && rows.back().empty())
        rows.pop_back();
    if (rows.size() != LCD_ROWS) {
        error = path.string() + ": a panel picture has 64 lines of 128 '#' or '.', this one has " +
                std::to_string(rows.size()) + " lines";
        return false;
    }
    frame.clear();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::string& row = rows[i];
        const bool dots_only = row.find_first_not_of("#.") == std::string::npos;
        if (row.size() != LCD_COLUMNS || !dots_only) {
            error = path.string() + ":" + std::to_string(i + 1) +
                    ": a panel picture line has 128 characters, each '#' or '.'";
            return false;
        }
        frame += row;
        frame += '\n';
    }
    return true;
}

} // namespace

RgbImage lcd_image(const LcdPanel& lcd) {
    RgbImage image(LCD_COLUMNS, LCD_ROWS, LCD_OFF_COLOUR);
    for (int y = 0; y < LCD_ROWS; ++y)
        for (int x = 0; x < LCD_COLUMNS; ++x)
            if (frame_dot(lcd, x, y)) image.set(x, y, LCD_ON_COLOUR);
    return image;
}

bool write_frame(const std::filesystem::path& path, const LcdPanel& lcd, std::string& error) {
    if (is_png_name(path)) return write_png(path, lcd_image(lcd), error);
    std::ofstream out(path, std::ios::binary);
    out << frame_picture(lcd);
    out.close();
    if (!out) {
        error = file_error(path, "write the file");
        return false;
    }
    return true;
}

bool read_frame(const std::filesystem::path& path, std::string& frame, std::string& error) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        error = path.string() + " is a folder, not a panel picture";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = file_error(path, "read the file");
        return false;
    }
    std::string bytes;
    const auto size = std::filesystem::file_size(path, ec);
    if (!ec) {
        bytes.resize(static_cast<std::size_t>(size));
        in.read(bytes.data(), static_cast<std::streamsize>(size));
        bytes.resize(static_cast<std::size_t>(in.gcount()));
    }
    if (ec || in.bad()) {
        in.clear();
        in.seekg(0);
        std::ostringstream content;
        content << in.rdbuf();
        bytes = content.str();
    }
    // What save-lcd and print-lcd write, exactly: taken as it is, in one pass.
    if (canonical_frame(bytes)) {
        frame = std::move(bytes);
        return true;
    }
    static constexpr char PNG_SIGNATURE[] = "\x89PNG\r\n\x1a\n";
    if (bytes.compare(0, 8, PNG_SIGNATURE, 8) != 0) {
        // A text frame holds only dots, hashes and line ends; anything else is a damaged
        // picture or another kind of file, not a frame of the wrong size.
        const bool binary = std::any_of(bytes.begin(), bytes.end(), [](char ch) {
            const auto c = static_cast<unsigned char>(ch);
            return (c < 0x20 && c != '\n' && c != '\r' && c != '\t') || c >= 0x7F;
        });
        if (binary) {
            error = path.string() +
                    " is neither a PNG picture nor a print-lcd text (it holds binary bytes)";
            return false;
        }
        return frame_from_text(path, bytes, frame, error);
    }
    RgbImage image;
    if (!read_png(path, image, error)) return false;
    if (image.width != LCD_COLUMNS || image.height != LCD_ROWS) {
        error = path.string() + ": a panel picture is 128 x 64 pixels, this one is " +
                std::to_string(image.width) + " x " + std::to_string(image.height);
        return false;
    }
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            if (image.at(x, y) != LCD_ON_COLOUR && image.at(x, y) != LCD_OFF_COLOUR) {
                error = path.string() + ": a panel picture has only the panel's two colours, " +
                        "this one has others (at " + std::to_string(x) + ", " + std::to_string(y) +
                        ")";
                return false;
            }
    frame = frame_from_image(image);
    return true;
}

std::string frame_difference(const std::string& expected, const std::string& found) {
    if (expected == found) return {};
    std::vector<std::string> want = split_rows(expected);
    std::vector<std::string> got = split_rows(found);
    // A missing row compares as an empty one.
    const std::size_t rows = std::max(want.size(), got.size());
    want.resize(rows);
    got.resize(rows);
    std::vector<std::size_t> differing;
    for (std::size_t i = 0; i < rows; ++i)
        if (want[i] != got[i]) differing.push_back(i);
    std::string out = std::to_string(differing.size()) +
                      (differing.size() == 1 ? " row differs" : " rows differ");
    for (std::size_t n = 0; n < differing.size() && n < FIRST_ROWS_SHOWN; ++n) {
        const std::size_t i = differing[n];
        const std::string& a = want[i];
        const std::string& b = got[i];
        std::string marks(std::max(a.size(), b.size()), ' ');
        for (std::size_t x = 0; x < marks.size(); ++x)
            if (x >= a.size() || x >= b.size() || a[x] != b[x]) marks[x] = '^';
        while (!marks.empty() && marks.back() == ' ')
            marks.pop_back();
        char label[16];
        std::snprintf(label, sizeof label, "row %2zu", i);
        out += "\n  " + std::string(label) + " expected " + a;
        out += "\n         found    " + b;
        out += "\n                  " + marks;
    }
    return out;
}

std::string packed_frame(const std::string& frame) {
    if (!canonical_frame(frame)) return frame;
    std::string packed(FRAME_BITS, '\0');
    for (std::size_t row = 0; row < LCD_ROWS; ++row) {
        const char* line = frame.data() + row * FRAME_LINE;
        for (std::size_t byte = 0; byte < LCD_COLUMNS / 8; ++byte) {
            unsigned bits = 0;
            for (unsigned bit = 0; bit < 8; ++bit)
                bits |= (line[byte * 8 + bit] == '#' ? 1u : 0u) << bit;
            packed[row * (LCD_COLUMNS / 8) + byte] = static_cast<char>(bits);
        }
    }
    return packed;
}

std::string unpacked_frame(const std::string& packed) {
    if (packed.size() != FRAME_BITS) return packed;
    std::string frame(FRAME_TEXT, '.');
    for (std::size_t row = 0; row < 64; ++row) {
        frame[row * FRAME_LINE + 128] = '\n';
        for (std::size_t col = 0; col < 128; ++col)
            if ((packed[(row * 128 + col) / 8] >> (col % 8)) & 1)
                frame[row * FRAME_LINE + col] = '#';
    }
    return frame;
}

std::string lcd_difference(const std::string& expected, const LcdPanel& lcd) {
    if (expected.size() == FRAME_BITS) {
        // The common case, a match, without drawing either picture as text.
        std::string shown(FRAME_BITS, '\0');
        for (int row = 0; row < 64; ++row)
            for (int col = 0; col < 128; ++col)
                if (frame_dot(lcd, col, row))
                    shown[static_cast<std::size_t>(row * 128 + col) / 8] |=
                        static_cast<char>(1 << (col % 8));
        if (shown == expected) return {};
    }
    return frame_difference(unpacked_frame(expected), frame_picture(lcd));
}

} // namespace ql
