#pragma once
// Runs something once a window has been painted for the first time, from the
// event loop right after that paint: start-up work the first picture does
// not need, and the start-up timing's end.

#include <functional>

class QWidget;

namespace quillora {

void afterFirstPaint(QWidget& window, std::function<void()> then);

} // namespace quillora
