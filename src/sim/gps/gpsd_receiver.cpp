#include "sim/gps/gpsd_receiver.hpp"
#include "sim/tracks/track.hpp"
#include <algorithm>
#include <cmath>
#include <gps.h>

namespace ql {

struct GpsdReceiver::Session {
    gps_data_t data{};
    bool open = false;
    ~Session() {
        if (!open) return;
        gps_stream(&data, WATCH_DISABLE, nullptr);
        gps_close(&data);
    }
};

bool parse_gpsd_address(const std::string& text, GpsdAddress& address, std::string& error) {
    address = GpsdAddress{};
    if (text.empty()) return true;
    std::string host = text;
    std::string port = address.port;
    // "[::1]:2947" names an IPv6 address with a port; a bare "::1" has none.
    if (text.front() == '[') {
        const std::size_t close = text.find(']');
        if (close == std::string::npos || (close + 1 < text.size() && text[close + 1] != ':')) {
            error = "--gpsd takes HOST[:PORT], e.g. localhost:2947 or [::1]:2947";
            return false;
        }
        host = text.substr(1, close - 1);
        if (close + 1 < text.size()) port = text.substr(close + 2);
    } else if (std::count(text.begin(), text.end(), ':') == 1) {
        host = text.substr(0, text.find(':'));
        port = text.substr(text.find(':') + 1);
    }
    const bool digits =
        !port.empty() && port.size() <= 5 &&
        std::all_of(port.begin(), port.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (host.empty() || !digits || std::stoul(port) < 1 || std::stoul(port) > 65535) {
        error = "--gpsd takes HOST[:PORT] with a port from 1 to 65535, e.g. localhost:2947";
        return false;
    }
    address.host = host;
    address.port = port;
    return true;
}

GpsdReceiver::GpsdReceiver() = default;
GpsdReceiver::~GpsdReceiver() = default;

bool GpsdReceiver::open(const GpsdAddress& address, std::string& error) {
    session_ = std::make_unique<Session>();
    if (gps_open(address.host.c_str(), address.port.c_str(), &session_->data) != 0) {
        error = "--gpsd: cannot reach gpsd at " + address.host + ":" + address.port +
                " (is it running? with a USB receiver: gpsd /dev/ttyACM0)";
        session_.reset();
        return false;
    }
    session_->open = true;
    if (gps_stream(&session_->data, WATCH_ENABLE | WATCH_JSON, nullptr) != 0) {
        error = "--gpsd: gpsd at " + address.host + ":" + address.port +
                " did not take the request for reports";
        session_.reset();
        return false;
    }
    view_.connected = true;
    return true;
}

bool GpsdReceiver::poll() {
    if (!session_) return false;
    gps_data_t& data = session_->data;
    bool changed = false;
    while (gps_waiting(&data, 0)) {
        data.set = 0;
        if (gps_read(&data, nullptr, 0) < 0) {
            // gpsd went away: the speed holds at 0 from now on.
            session_.reset();
            view_.connected = false;
            view_.speed_kmh = 0;
            return true;
        }
        if ((data.set & SATELLITE_SET) != 0 && view_.satellites != data.satellites_used) {
            view_.satellites = data.satellites_used;
            changed = true;
        }
        if ((data.set & MODE_SET) == 0) continue;
        const int mode = std::max(1, data.fix.mode);
        changed = changed || mode != view_.mode;
        view_.mode = mode;
        if (mode < MODE_2D) {
            view_.speed_kmh = 0;
            continue;
        }
        if ((data.set & SPEED_SET) != 0 && std::isfinite(data.fix.speed)) {
            view_.speed_kmh = std::max(0.0, data.fix.speed * 3.6);
            changed = true;
        }
        if ((data.set & LATLON_SET) != 0 && std::isfinite(data.fix.latitude) &&
            std::isfinite(data.fix.longitude)) {
            if (have_position_)
                view_.distance_m += geodesic_m(lat_, lon_, data.fix.latitude, data.fix.longitude);
            lat_ = data.fix.latitude;
            lon_ = data.fix.longitude;
            have_position_ = true;
            changed = true;
        }
    }
    return changed;
}

std::uint16_t GpsdReceiver::speed_tenths() const {
    if (!view_.fix()) return 0;
    return static_cast<std::uint16_t>(std::min(3000.0, std::round(view_.speed_kmh * 10)));
}

} // namespace ql
