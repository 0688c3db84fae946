// Arbitrary bytes as a settings file. A refusal names the file; a store that is taken keeps
// every value as written, its saved form reads back the same, and the device powers on from
// it, takes a press of each button and a few seconds, and keeps a store that reads back too.
#include "sim/host/button_keys.hpp"
#include "sim/host/settings_file.hpp"
#include "sim/host/shell.hpp"
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

using Json = nlohmann::json;

// The store's saved form read back: it must be taken, and be the same store.
void check_reads_back(const ql::Settings& settings) {
    const std::string saved = ql::settings_state_json(settings).dump(2);
    ql::Settings back{};
    std::string error;
    if (!ql::read_settings_text("saved.json", saved, back, error)) __builtin_trap();
    if (ql::settings_state_json(back).dump() != ql::settings_state_json(settings).dump())
        __builtin_trap();
}

// Every value taken is the number the file wrote (dumped, so that 2^64-1 is not -1).
void check_same_values(const Json& written, const ql::Settings& settings) {
    const nlohmann::ordered_json taken = ql::settings_state_json(settings);
    for (const auto& [key, value] : taken.items()) {
        if (key == "fuel_table") {
            for (const auto& [inner, list] : value.items())
                if (written[key][inner].dump() != list.dump()) __builtin_trap();
        } else if (written[key].dump() != value.dump()) {
            __builtin_trap();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    ql::Settings settings{};
    std::string error;
    if (!ql::read_settings_text("fuzz.json", text, settings, error)) {
        if (error.rfind("fuzz.json: ", 0) != 0 || error.find('\n') != std::string::npos)
            __builtin_trap();
        return 0;
    }
    check_same_values(Json::parse(text), settings);
    check_reads_back(settings);

    ql::ShellConfig config;
    config.power_on.stored = settings;
    ql::Shell shell(config);
    for (std::uint8_t b = 0; b < ql::BUTTON_COUNT; ++b) {
        const auto button = static_cast<ql::Button>(b);
        ql::shell_button_key_down(shell, button);
        ql::shell_advance_to(shell, shell.now_ms + 100);
        ql::shell_button_key_up(shell, button);
        ql::shell_advance_to(shell, shell.now_ms + 400);
    }
    ql::shell_advance_to(shell, shell.now_ms + 3000);
    check_reads_back(shell.dev.settings);
    return 0;
}
