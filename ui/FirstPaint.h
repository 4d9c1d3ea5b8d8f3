#pragma once
// Runs something once a window has been painted for the first time, from the
// event loop right after that paint: start-up work the first picture does
// not need, and the start-up timing's end.

#include <functional>

class QWidget;

namespace quillora {

void afterFirstPaint(QWidget& window, std::function<void()> then);

// For start-up timing: the line a program prints on its standard output once
// its window has been painted for the first time, so that a measurement ends
// there and not with the program's own end.
inline constexpr char kFirstPaintLine[] = "first paint\n";
void printFirstPaintLine();

} // namespace quillora
