#pragma once
// The application title: the program's name in the title of every message
// box that has none of its own. The desktop shows the window's own title,
// which begins with it.

#include <QString>

namespace quillora {

QString applicationTitle();
void setApplicationTitle(const QString& title);

} // namespace quillora
