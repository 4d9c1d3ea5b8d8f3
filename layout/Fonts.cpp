#include "layout/Fonts.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QHash>
#include <QMutex>

#include <algorithm>
#include <cmath>

namespace quillora::layout {
namespace {

// The fonts LibreOffice substitutes on Linux for the common Office fonts
// with the same widths (the fonts-liberation2, fonts-crosextra-carlito and
// fonts-crosextra-caladea packages).
struct Substitute {
    const char* typeface;
    const char* metricCompatible;
};
constexpr Substitute kSubstitutes[] = {
    {"Arial", "Liberation Sans"},
    {"Helvetica", "Liberation Sans"},
    {"Times New Roman", "Liberation Serif"},
    {"Times", "Liberation Serif"},
    {"Courier New", "Liberation Mono"},
    {"Courier", "Liberation Mono"},
    {"Calibri", "Carlito"},
    {"Cambria", "Caladea"},
};

// What an empty or missing typeface is drawn in.
constexpr char kDefaultTypeface[] = "Arial";

QMutex cacheMutex;

} // namespace

LayoutUnavailable::LayoutUnavailable()
    : std::runtime_error("Text layout needs a QGuiApplication (any platform, such as offscreen).")
{
}

void requireFontDatabase()
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        throw LayoutUnavailable();
}

QString metricCompatibleFont(const QString& typeface)
{
    for (const Substitute& substitute : kSubstitutes) {
        if (typeface.compare(QLatin1String(substitute.typeface), Qt::CaseInsensitive) == 0)
            return QLatin1String(substitute.metricCompatible);
    }
    return {};
}

QString layoutFamily(const QString& typeface)
{
    requireFontDatabase();
    static QHash<QString, QString> families;
    const QMutexLocker lock(&cacheMutex);
    const auto found = families.constFind(typeface);
    if (found != families.constEnd())
        return *found;
    const QString named = typeface.trimmed().isEmpty() ? QLatin1String(kDefaultTypeface) : typeface.trimmed();
    QString family = named;
    if (!QFontDatabase::hasFamily(named)) {
        const QString substitute = metricCompatibleFont(named);
        if (!substitute.isEmpty() && QFontDatabase::hasFamily(substitute))
            family = substitute;
    }
    families.insert(typeface, family);
    return family;
}

QFont layoutFont(const RunStyle& style, double size)
{
    QFont font(layoutFamily(style.typeface));
    // Qt takes whole pixels; beyond 4000 points text is nothing to lay out.
    font.setPixelSize(std::clamp(static_cast<int>(std::lround(size * kPixelsPerPoint)), 1,
                                 static_cast<int>(4000 * kPixelsPerPoint)));
    font.setBold(style.bold);
    font.setItalic(style.italic);
    // Unhinted outlines: advances scale with the size, as in a PDF.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(true);
    if (style.letterSpacing != 0)
        font.setLetterSpacing(QFont::AbsoluteSpacing, style.letterSpacing * kPixelsPerPoint);
    if (style.allCaps)
        font.setCapitalization(QFont::AllUppercase);
    return font;
}

VerticalMetrics verticalMetrics(const RunStyle& style)
{
    static QHash<QString, VerticalMetrics> metrics;
    const QString family = layoutFamily(style.typeface);
    const QString key = family + QLatin1Char('/') + QLatin1Char(style.bold ? 'b' : '-') + QLatin1Char(style.italic ? 'i' : '-');
    {
        const QMutexLocker lock(&cacheMutex);
        const auto found = metrics.constFind(key);
        if (found != metrics.constEnd())
            return *found;
    }
    // Measured large, so that no rounding to pixels shows.
    constexpr int kProbePixels = 1000;
    QFont font(family);
    font.setPixelSize(kProbePixels);
    font.setBold(style.bold);
    font.setItalic(style.italic);
    font.setHintingPreference(QFont::PreferNoHinting);
    const QFontMetricsF fontMetrics(font);
    const VerticalMetrics measured{fontMetrics.ascent() / kProbePixels, fontMetrics.descent() / kProbePixels};
    const QMutexLocker lock(&cacheMutex);
    metrics.insert(key, measured);
    return measured;
}

} // namespace quillora::layout
