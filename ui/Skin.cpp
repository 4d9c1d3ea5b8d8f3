#include "ui/Skin.h"
#include "core/DataFiles.h"
#include "ui/SkinFramework.h"
#include "ui/controls/PictureBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QStyle>

#include <algorithm>
#include <cmath>

namespace quillora {
namespace {

// The control kinds that follow the window's colour scheme.
bool takesButtonFace(const QWidget* control)
{
    return qobject_cast<const QRadioButton*>(control) || qobject_cast<const QCheckBox*>(control)
        || qobject_cast<const QGroupBox*>(control) || qobject_cast<const QLabel*>(control)
        || qobject_cast<const PictureBox*>(control);
}

// WCAG's relative luminance and contrast ratio (1 to 21).
double luminance(const QColor& color)
{
    auto channel = [](double c) { return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    const QColor rgb = color.toRgb();
    return 0.2126 * channel(rgb.redF()) + 0.7152 * channel(rgb.greenF()) + 0.0722 * channel(rgb.blueF());
}

double contrast(const QColor& a, const QColor& b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Text on a forced background keeps the desktop's colour unless it would be
// hard to read there (a dark scheme's light text on the white window); then it
// is black or white, whichever reads better.
QColor readableOn(const QColor& background, const QColor& text)
{
    if (contrast(background, text) >= kReadableContrast)
        return text;
    return contrast(background, Qt::black) >= contrast(background, Qt::white) ? QColor(Qt::black) : QColor(Qt::white);
}

} // namespace

QString skinFilePath(const QString& programFolder)
{
    return findDataFile(programFolder, {kSkinFolderName, kSkinFileName});
}

bool skinFilePresent(const QString& programFolder)
{
    const QFileInfo info(skinFilePath(programFolder));
    return info.isFile() && !info.isHidden();
}

QFont formFont(double points, bool bold)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

void setBackColor(QWidget& widget, const QColor& color)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, color);
    // Disabled text is meant to be faint; only the normal text is checked.
    for (const auto group : {QPalette::Active, QPalette::Inactive})
        palette.setColor(group, QPalette::WindowText, readableOn(color, palette.color(group, QPalette::WindowText)));
    widget.setPalette(palette);
    widget.setBackgroundRole(QPalette::Window);
    widget.setAutoFillBackground(true);
}

void applySkin(const QString& programFolder, QWidget& window, const QList<QWidget*>& controls,
               SkinFramework& skin)
{
    if (!skinFilePresent(programFolder))
        return;
    const QColor buttonFace = QApplication::style()->standardPalette().color(QPalette::Button);
    setBackColor(window, buttonFace);
    for (QWidget* control : controls) {
        if (takesButtonFace(control))
            setBackColor(*control, buttonFace);
    }
    skin.loadSkin(skinFilePath(programFolder));
    skin.applyToWindow(window);
}

} // namespace quillora
