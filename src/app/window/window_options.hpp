#pragma once
#include "sim/gps/gpsd_receiver.hpp"
#include "sim/script/script_runner.hpp"
#include <string>
#include <vector>

namespace ql {

// What the window is started with: the options of ql730-sim.
struct WindowOptions {
    int scale = 1;                  // whole-pixel enlargement, 1-4
    double speed = 1;               // simulated time against real time, 0.25-64
    bool inspector = false;         // the inspector panel shown from the start
    const Script* script = nullptr; // played into the window in real time, if given
    ScriptOptions script_options;
    std::vector<DriveRow> drive;      // --drive: played from the start, in simulated time
    GpsdReceiver* receiver = nullptr; // --gpsd: connected; its speeds drive the vehicle
    std::string record_file;          // --record: the session is recorded from the start into it
    std::string replay_options;       // what replaying a recorded session needs: " --variant 4"
    std::string session_note;         // comment lines for the head of a recorded session
};

} // namespace ql
