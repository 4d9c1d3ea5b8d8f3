#include "ui/controls/ProgressButton.h"

#include <QStyleOptionButton>
#include <QStylePainter>
#include <algorithm>

namespace quillora {

void ProgressButton::showProgress(int done, int total)
{
    if (total <= 0)
        return clearProgress();
    m_total = total;
    m_done = std::clamp(done, 0, total);
    update();
}

void ProgressButton::clearProgress()
{
    m_done = 0;
    m_total = 0;
    update();
}

void ProgressButton::paintEvent(QPaintEvent* event)
{
    if (!showsProgress()) {
        QPushButton::paintEvent(event);
        return;
    }
    // What QPushButton paints in one go, in its two layers, with the part
    // done filled in between.
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    painter.drawControl(QStyle::CE_PushButtonBevel, option);
    const QRect face = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    QRect done = face;
    done.setWidth(int(qint64(face.width()) * m_done / m_total));
    QColor fill = palette().color(QPalette::Highlight);
    fill.setAlpha(110);
    painter.fillRect(done, fill);
    painter.drawControl(QStyle::CE_PushButtonLabel, option);
}

} // namespace quillora
