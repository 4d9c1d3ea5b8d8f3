#pragma once
// The fonts text is laid out in. A deck names the fonts of the machine it
// was made on (Arial, Calibri); where one is not installed, the layout uses
// the metric-compatible font LibreOffice itself draws in its place, so lines
// break where they break there.
//
// Everything here needs Qt's font database, which exists only inside a
// QGuiApplication (any platform; "offscreen" needs no display). Without one
// these functions throw LayoutUnavailable instead of letting Qt abort.

#include "layout/TextStyle.h"

#include <QFont>
#include <QString>

#include <stdexcept>

namespace quillora::layout {

class LayoutUnavailable : public std::runtime_error {
public:
    LayoutUnavailable();
};

// Throws LayoutUnavailable unless the process has a QGuiApplication.
void requireFontDatabase();

// The font LibreOffice draws in place of `typeface` on Linux, such as
// "Liberation Sans" for "Arial" and "Carlito" for "Calibri"; empty when it
// knows none.
QString metricCompatibleFont(const QString& typeface);

// The family the layout uses: the typeface where it is installed, else its
// metric-compatible font where that is, else the typeface as named (the
// system's font matching picks a fallback).
QString layoutFamily(const QString& typeface);

// Qt lays text out in pixels of this size: fine enough that rounding does
// not move a line break, coarse enough to stay fast.
inline constexpr double kPixelsPerPoint = 10.0;

// The run's font at `size` points, for Qt's text layout.
QFont layoutFont(const RunStyle& style, double size);

// Height above and below the baseline per point of font size.
struct VerticalMetrics {
    double ascent = 0;
    double descent = 0;
};
VerticalMetrics verticalMetrics(const RunStyle& style);

} // namespace quillora::layout
