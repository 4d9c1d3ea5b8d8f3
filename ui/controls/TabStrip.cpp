#include "ui/controls/TabStrip.h"
#include "core/HeldFailure.h"
#include "ui/controls/TabStripAccessibility.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionTab>
#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>

namespace quillora {

TabStrip::TabStrip(QWidget* parent) : QWidget(parent)
{
    installTabStripAccessibility();
    setFocusPolicy(Qt::StrongFocus);
    // Layouts ignore height-for-width with a fixed vertical policy.
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

void TabStrip::setCaptions(const QStringList& captions)
{
    m_captions = captions;
    if (m_tab >= m_captions.size())
        m_tab = m_captions.isEmpty() ? 0 : int(m_captions.size()) - 1;
    update();
}

void TabStrip::setTabsPerRow(int tabsPerRow)
{
    m_tabsPerRow = std::max(1, tabsPerRow);
    update();
}

int TabStrip::rowCount() const
{
    return m_captions.isEmpty() ? 1 : (int(m_captions.size()) + m_tabsPerRow - 1) / m_tabsPerRow;
}

void TabStrip::setTabHeight(int pixels)
{
    m_tabHeight = std::max(1, pixels);
    update();
}

void TabStrip::setTab(int index)
{
    if (index < 0 || index >= count() || index == m_tab)
        return;
    const int previous = m_tab;
    m_tab = index;
    update();
    announceTabChange(*this, previous);
    Q_EMIT tabClicked(previous);
}

int TabStrip::displayRowOf(int row) const
{
    const int rows = rowCount();
    const int selectedRow = rowOf(m_tab);
    // Rotate so the rows after the selected one come first, the selected last.
    return (row - selectedRow - 1 + 2 * rows) % rows;
}

QRect TabStrip::tabRect(int index) const
{
    if (index < 0 || index >= count())
        return {};
    const int column = index % m_tabsPerRow;
    const int left = width() * column / m_tabsPerRow;
    const int right = width() * (column + 1) / m_tabsPerRow;
    return QRect(left, displayRowOf(rowOf(index)) * m_tabHeight, right - left, m_tabHeight);
}

QRect TabStrip::pageRect() const
{
    const int top = rowCount() * m_tabHeight;
    return QRect(0, top, width(), std::max(0, height() - top));
}

int TabStrip::tabAt(const QPoint& pos) const
{
    for (int i = 0; i < count(); ++i) {
        if (tabRect(i).contains(pos))
            return i;
    }
    return -1;
}

QSize TabStrip::sizeHint() const
{
    return QSize(m_tabsPerRow * 100, rowCount() * m_tabHeight + 100);
}

QSize TabStrip::minimumSizeHint() const
{
    return QSize(m_tabsPerRow * 20, rowCount() * m_tabHeight + 10);
}

bool TabStrip::event(QEvent* event)
{
    return holdingFailures([&] { return QWidget::event(event); });
}

void TabStrip::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);

    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    frame.rect = pageRect();
    frame.shape = QTabBar::RoundedNorth;
    frame.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    painter.drawPrimitive(QStyle::PE_FrameTabWidget, frame);

    // Unselected tabs first, the selected one last so it overlaps its neighbours.
    auto drawTab = [&](int i) {
        QStyleOptionTab option;
        option.initFrom(this);
        option.shape = QTabBar::RoundedNorth;
        option.rect = tabRect(i);
        option.text = option.fontMetrics.elidedText(m_captions.at(i), Qt::ElideRight,
                                                    option.rect.width() - 8);
        const int column = i % m_tabsPerRow;
        const int lastColumn = std::min(m_tabsPerRow, int(count()) - rowOf(i) * m_tabsPerRow) - 1;
        option.position = lastColumn == 0 ? QStyleOptionTab::OnlyOneTab
                        : column == 0     ? QStyleOptionTab::Beginning
                        : column == lastColumn ? QStyleOptionTab::End
                                               : QStyleOptionTab::Middle;
        option.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
        if (i == m_tab) {
            option.state |= QStyle::State_Selected;
            if (hasFocus())
                option.state |= QStyle::State_HasFocus;
        }
        painter.drawControl(QStyle::CE_TabBarTab, option);
        if (i == m_tab && hasFocus()) {
            QStyleOptionFocusRect focus;
            focus.initFrom(this);
            focus.rect = option.rect.adjusted(4, 4, -4, -3);
            painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
        }
    };
    for (int i = 0; i < count(); ++i) {
        if (i != m_tab)
            drawTab(i);
    }
    if (m_tab >= 0 && m_tab < count())
        drawTab(m_tab);
}

void TabStrip::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    // Qt reports the focus on the strip itself after this handler; the tab
    // inside it is reported once that has gone out.
    QMetaObject::invokeMethod(
        this, [this] { if (hasFocus()) announceTabFocus(*this); }, Qt::QueuedConnection);
}

void TabStrip::mousePressEvent(QMouseEvent* event)
{
    const int index = tabAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || index < 0) {
        QWidget::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    setTab(index);
}

void TabStrip::keyPressEvent(QKeyEvent* event)
{
    if (count() == 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        setTab((m_tab + count() - 1) % count());
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        setTab((m_tab + 1) % count());
        break;
    case Qt::Key_Home:
        setTab(0);
        break;
    case Qt::Key_End:
        setTab(count() - 1);
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

} // namespace quillora
