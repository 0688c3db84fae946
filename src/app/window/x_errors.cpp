#include "app/window/x_errors.hpp"
#ifdef QL730_XLIB
#include <X11/Xlib.h>
#include <X11/Xproto.h>
#endif

namespace ql {

#ifdef QL730_XLIB
namespace {

XErrorHandler previous_handler = nullptr;

int handle_x_error(Display* display, XErrorEvent* error) {
    if (error->error_code == BadWindow && error->request_code == X_SendEvent) return 0;
    return previous_handler != nullptr ? previous_handler(display, error) : 0;
}

} // namespace

void tolerate_late_wakeups() {
    // SDL keeps the handler it finds at its start and puts it back before it closes its
    // connections: this one, installed first, stays in force to the end.
    if (previous_handler == nullptr) previous_handler = XSetErrorHandler(handle_x_error);
}
#else
void tolerate_late_wakeups() {}
#endif

} // namespace ql
