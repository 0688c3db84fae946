#pragma once

namespace ql {

// Before SDL opens the display: lets pass the one X error that a window closing can meet
// through no fault of the program. SDL (2.26) wakes its wait for events by sending the window
// a message over a second connection to the X server; a message still on its way when the
// window is destroyed reaches a window that is gone (BadWindow on X_SendEvent), and Xlib's
// default handler would end the program with exit code 1 when SDL closes that connection.
// Every other X error is handled as before. Does nothing where the program is built without
// Xlib.
void tolerate_late_wakeups();

} // namespace ql
