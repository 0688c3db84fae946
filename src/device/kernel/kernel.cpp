#include "device/kernel/kernel.hpp"
#include "device/device.hpp"

namespace ql {

void reset_kernel(Device& dev) {
    KernelState& k = dev.kernel;
    // The slots keep their old contents; only the indices say what is held.
    k.queue.count = 0;
    k.queue.read_index = 0;
    k.queue.write_index = 0;
    k.current_screen = nullptr;
    k.pending_screen = nullptr;
    k.switch_queued = false;
}

void post_event(Device& dev, std::uint8_t code) {
    EventQueue& q = dev.kernel.queue;
    if (q.count >= EVENT_QUEUE_SIZE) {
        raise_system_flag(dev, SF_QUEUE_OVERFLOW);
        return;
    }
    q.slots[q.write_index] = code;
    q.write_index = (q.write_index + 1) & EVENT_QUEUE_MASK;
    ++q.count;
}

bool take_event(Device& dev, std::uint8_t& code) {
    EventQueue& q = dev.kernel.queue;
    code = 0;
    if (q.count == 0) return false;
    code = q.slots[q.read_index];
    q.read_index = (q.read_index + 1) & EVENT_QUEUE_MASK;
    --q.count;
    return true;
}

void dispatch_event(Device& dev, std::uint8_t code) {
    KernelState& k = dev.kernel;
    if (k.current_screen != nullptr) k.current_screen->handle(dev, code);
    // The switch completes after the old screen has seen its EV_EXIT, and also when there
    // was no screen to see it (the first switch at power-on).
    if (code == EV_EXIT) {
        k.current_screen = k.pending_screen;
        k.pending_screen = nullptr;
        k.switch_queued = false;
    }
}

void run_pending_events(Device& dev) {
    std::uint8_t code = 0;
    while (take_event(dev, code))
        dispatch_event(dev, code);
}

void change_screen(Device& dev, const Screen& next) {
    KernelState& k = dev.kernel;
    // One switch at a time: while the EV_EXIT of a first request is still queued, a second
    // request is refused and the first one stands. Honouring it would queue a second
    // exit/enter pair whose EV_EXIT leaves the device with no current screen at all.
    if (k.switch_queued) return;
    const std::uint8_t before = k.queue.count;
    post_event(dev, EV_EXIT);
    k.switch_queued = k.queue.count != before;
    post_event(dev, EV_ENTER);
    // Recorded even when the queue was full: the switch then completes at the next EV_EXIT
    // that is dispatched.
    k.pending_screen = &next;
}

void raise_system_flag(Device& dev, std::uint16_t mask) {
    dev.kernel.system_flags = static_cast<std::uint16_t>(dev.kernel.system_flags | mask);
}

const char* screen_name(const Device& dev, const char* none) {
    const Screen* screen = dev.kernel.current_screen;
    return screen != nullptr ? screen->name : none;
}

} // namespace ql
