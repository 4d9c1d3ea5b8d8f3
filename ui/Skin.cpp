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

namespace quillora {
namespace {

// The control kinds that follow the window's colour scheme.
bool takesButtonFace(const QWidget* control)
{
    return qobject_cast<const QRadioButton*>(control) || qobject_cast<const QCheckBox*>(control)
        || qobject_cast<const QGroupBox*>(control) || qobject_cast<const QLabel*>(control)
        || qobject_cast<const PictureBox*>(control);
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

void setBackColor(QWidget& widget, const QColor& color)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, color);
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
    skin.loadSkin(skinFilePath(programFolder), QString());
    skin.setApplyOptions(skin.applyOptions() | 1);
    skin.setApplyColors(true);
    skin.setApplyMetrics(true);
    skin.applyToWindow(window);
}

} // namespace quillora
