#pragma once
// The application title: what the desktop shows for the program, and the
// title of every message box that has none of its own.

#include <QString>

namespace quillora {

QString applicationTitle();
void setApplicationTitle(const QString& title);

} // namespace quillora
