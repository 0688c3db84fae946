#pragma once
#include "sim/gps/gps_view.hpp"
#include <cstdint>
#include <memory>
#include <string>

namespace ql {

// Where gpsd listens: "HOST[:PORT]", by default localhost:2947. False with `error` for a port
// that is not a number from 1 to 65535 or an empty host.
struct GpsdAddress {
    std::string host = "localhost";
    std::string port = "2947";
};
bool parse_gpsd_address(const std::string& text, GpsdAddress& address, std::string& error);

// A live GPS receiver through gpsd (libgps): its reports as they come, without blocking.
class GpsdReceiver {
  public:
    GpsdReceiver();
    ~GpsdReceiver();
    GpsdReceiver(const GpsdReceiver&) = delete;
    GpsdReceiver& operator=(const GpsdReceiver&) = delete;

    // Connects and asks for reports; false with `error` (one line) when gpsd cannot be reached.
    bool open(const GpsdAddress& address, std::string& error);
    // Takes every report waiting; true when the view changed.
    bool poll();
    const GpsView& view() const { return view_; }
    // The speed to drive the vehicle at: the fix's, 0 without a fix.
    std::uint16_t speed_tenths() const;

  private:
    struct Session;
    std::unique_ptr<Session> session_;
    GpsView view_;
    bool have_position_ = false;
    double lat_ = 0;
    double lon_ = 0;
};

} // namespace ql
