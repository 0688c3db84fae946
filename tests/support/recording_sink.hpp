#pragma once
#include "device/hardware/lcd_panel.hpp"
#include <cstdint>
#include <vector>

namespace ql::test {

// One byte the panel was sent: its column, page and dots.
struct Painted {
    std::uint8_t column, page, data;
    friend bool operator==(const Painted&, const Painted&) = default;
};

// Keeps every byte the panel is sent, in order.
class RecordingSink final : public PaintSink {
  public:
    void paint_byte(std::uint8_t column, std::uint8_t page, std::uint8_t data) override {
        painted.push_back({column, page, data});
    }
    std::vector<Painted> painted;
};

} // namespace ql::test
