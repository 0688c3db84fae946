#include "sim/picture/icon.hpp"
#include "sim/picture/faceplate.hpp"
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace ql {

namespace {

// A faceplate pixel with its opacity, its colour multiplied by it, so that pixels average.
using Premultiplied = std::array<double, 4>;

// The faceplate as the window shows it, with the white around the body taken out again.
std::vector<Premultiplied> faceplate_of(const RgbImage& window) {
    std::vector<Premultiplied> out(static_cast<std::size_t>(FACEPLATE_WIDTH * FACEPLATE_HEIGHT));
    for (int y = 0; y < FACEPLATE_HEIGHT; ++y)
        for (int x = 0; x < FACEPLATE_WIDTH; ++x) {
            const double a = faceplate_opacity(x, y);
            const Rgb c = window.at(FACEPLATE_X + x, FACEPLATE_Y + y);
            // Drawn as c = a * colour + (1 - a) * white.
            const double white = (1 - a) * 255;
            out[static_cast<std::size_t>(y * FACEPLATE_WIDTH + x)] = {
                std::max(c.r - white, 0.0), std::max(c.g - white, 0.0), std::max(c.b - white, 0.0),
                a};
        }
    return out;
}

// The parts of source pixels [0, from) that the target pixels [0, to) cover: for each target
// pixel, its first source pixel and the weight of each source pixel from there.
struct Span {
    int first;
    std::vector<double> weights;
};

std::vector<Span> spans(int from, int to) {
    std::vector<Span> out(static_cast<std::size_t>(to));
    const double step = static_cast<double>(from) / to;
    for (int t = 0; t < to; ++t) {
        const double lo = t * step, hi = (t + 1) * step;
        Span& s = out[static_cast<std::size_t>(t)];
        s.first = static_cast<int>(std::floor(lo));
        for (int src = s.first; src < from && src < hi; ++src)
            s.weights.push_back((std::min(hi, src + 1.0) - std::max(lo, double(src))) / step);
    }
    return out;
}

std::uint8_t byte_of(double v) {
    return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0, 255.0)));
}

} // namespace

RgbaImage make_icon(const RgbImage& window, int size) {
    size = std::clamp(size, ICON_SIZE_MIN, ICON_SIZE_MAX);
    RgbaImage icon{size, size,
                   std::vector<std::uint8_t>(static_cast<std::size_t>(size * size * 4))};
    const std::vector<Premultiplied> face = faceplate_of(window);
    const int height =
        std::max(1, static_cast<int>(std::lround(static_cast<double>(size) * FACEPLATE_HEIGHT /
                                                 FACEPLATE_WIDTH)));
    const int top = (size - height) / 2;
    const std::vector<Span> columns = spans(FACEPLATE_WIDTH, size);
    const std::vector<Span> rows = spans(FACEPLATE_HEIGHT, height);
    for (int y = 0; y < height; ++y) {
        const Span& row = rows[static_cast<std::size_t>(y)];
        for (int x = 0; x < size; ++x) {
            const Span& column = columns[static_cast<std::size_t>(x)];
            Premultiplied sum{};
            for (std::size_t j = 0; j < row.weights.size(); ++j)
                for (std::size_t i = 0; i < column.weights.size(); ++i) {
                    const Premultiplied& p = face[static_cast<std::size_t>(
                        (row.first + static_cast<int>(j)) * FACEPLATE_WIDTH + column.first +
                        static_cast<int>(i))];
                    const double w = row.weights[j] * column.weights[i];
                    for (std::size_t k = 0; k < 4; ++k)
                        sum[k] += p[k] * w;
                }
            std::uint8_t* out = &icon.rgba[static_cast<std::size_t>(((top + y) * size + x) * 4)];
            const double a = sum[3];
            for (std::size_t k = 0; k < 3; ++k)
                out[k] = a > 0 ? byte_of(sum[k] / a) : 0;
            out[3] = byte_of(a * 255);
        }
    }
    return icon;
}

} // namespace ql
