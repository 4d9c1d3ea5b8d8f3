#pragma once
// Brings the program's window to the front when a later start asks for it:
// out of the task bar if minimised, raised and given the focus. The desktop's
// own token from that start goes with the request, so the window manager
// takes it as the user's wish rather than a window stealing the focus.

#include "platform/WindowInstance.h"

class QWidget;

namespace quillora {

void bringToFront(QWidget& window, const ActivationRequest& request);

} // namespace quillora
