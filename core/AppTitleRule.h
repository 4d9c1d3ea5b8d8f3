#pragma once
// The application title is the product name, shortened to what task lists
// show comfortably.

#include <QString>

namespace quillora {

inline constexpr int kAppTitleMaxLength = 40;

// Whole words go from the end until the name fits in 40 characters. A name
// that still does not fit once no space is left is cut at 40 characters.
QString shortenedAppTitle(QString name);

// Sets the application title from the product name.
void setTitleFromProductName(const QString& productName);

} // namespace quillora
