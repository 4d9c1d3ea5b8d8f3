#pragma once
// Dresses the main window with the optional skin: x/o.cjs beside the program
// or, in an installed copy, in its data folder (see core/DataFiles.h).

#include "core/FileNames.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QString>

class QWidget;

namespace quillora {

class SkinFramework;

// Where the skin file is looked for: beside the program first, then in the
// installed data folder.
QString skinFilePath(const QString& programFolder);

// True when the skin file is an ordinary file (not a folder, not hidden).
bool skinFilePresent(const QString& programFolder);

// When the skin file is present: the window and its frames, labels, option
// buttons, check boxes and picture boxes take the button-face colour, then
// the skin is loaded and applied. Stops at the first failure (RuntimeError);
// the colours changed before it stay.
void applySkin(const QString& programFolder, QWidget& window, const QList<QWidget*>& controls,
               SkinFramework& skin);

// Text drawn on a background needs at least this contrast ratio (WCAG AA).
inline constexpr double kReadableContrast = 4.5;

// Sets the background colour a widget paints itself with. Text drawn straight
// on it (frame titles, tab captions) keeps its colour when readable there,
// else turns black or white.
void setBackColor(QWidget& widget, const QColor& color);

// The classic form's typeface, Arial, at a size in points.
QFont formFont(double points, bool bold);

} // namespace quillora
