#pragma once

class QWidget;

namespace kandorex {

// Keeps a fixed-size top-level window (minimum size equal to maximum size) at its size when it is
// asked to be maximised or shown full screen, and keeps it connected to a Wayland compositor.
//
// Where the toolkit draws the title bar itself (Qt's Wayland decorations, as on weston), that
// title bar offers maximise for every window whatever its flags, and sends the request straight
// to the compositor. The compositor answers with the maximised size, and a client that takes on
// the maximised state must show exactly that size: Qt 6.4 keeps the fixed size and the compositor
// ends the connection with a protocol error; Qt 6.8 shows the window at the maximised size. Nor
// can the request be taken back before the compositor's answer is applied. So for the moment the
// window is maximised it may take the size it is given; then it asks to be restored, and once it
// is, it is fixed at its own size again. A resize the compositor makes it take (Qt 6.8, from a
// drag at an edge of that title bar) is undone the same way. Nothing happens while nobody asks for
// those states (X11 window managers and compositors that decorate windows themselves honour the
// fixed size).
void keepWindowFixed(QWidget *window);

} // namespace kandorex
