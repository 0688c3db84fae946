#pragma once

namespace ql {

// What a live receiver reported last, for the window's inspector and hint line.
struct GpsView {
    bool connected = false;
    int mode = 0;          // 0 nothing heard yet, 1 no fix, 2 a 2D fix, 3 a 3D fix
    int satellites = -1;   // in use; -1 before gpsd has said
    double speed_kmh = 0;  // of the last fix; 0 without one
    double distance_m = 0; // geodesic, between the fixes since the start
    bool fix() const { return connected && mode >= 2; }
};

} // namespace ql
