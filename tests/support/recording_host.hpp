#pragma once
#include "device/hardware/host.hpp"
#include <cstdint>
#include <string>
#include <vector>

namespace ql::test {

// Writes every call the hardware makes on its host into one log, in order, as
// "start 33 700", "stop 32", "speed text" or "fuel text".
class RecordingHost final : public Host {
  public:
    void start_timer(std::uint8_t id, std::uint32_t period_ms) override {
        calls.push_back("start " + std::to_string(id) + " " + std::to_string(period_ms));
    }
    void stop_timer(std::uint8_t id) override { calls.push_back("stop " + std::to_string(id)); }
    void repaint_speed_text() override { calls.push_back("speed text"); }
    void repaint_fuel_text() override { calls.push_back("fuel text"); }

    std::vector<std::string> calls;
};

} // namespace ql::test
