#pragma once
// A tab strip whose tabs wrap into several rows of equal-width tabs, as in
// classic tabbed dialogs: the row holding the selected tab always sits next
// to the page, the other rows stack above it. QTabBar only knows one row.
//
// The page below the tabs is drawn as an empty frame; whatever shows on it
// is laid over it by the owner.

#include <QStringList>
#include <QWidget>

namespace quillora {

class TabStrip : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int Tab READ tab WRITE setTab)

public:
    explicit TabStrip(QWidget* parent = nullptr);

    void setCaptions(const QStringList& captions);
    QStringList captions() const { return m_captions; }
    int count() const { return m_captions.size(); }

    void setTabsPerRow(int tabsPerRow);
    int tabsPerRow() const { return m_tabsPerRow; }
    int rowCount() const;

    void setTabHeight(int pixels);
    int tabHeight() const { return m_tabHeight; }

    // The selected tab. Choosing another one (by program, mouse, keyboard or
    // assistive technology) tells assistive technology, then raises Click
    // with the tab that was left.
    int tab() const { return m_tab; }
    void setTab(int index);

    // Where a tab is drawn now; rows move as the selection changes.
    QRect tabRect(int index) const;
    // The page area under the tab rows.
    QRect pageRect() const;
    // The tab at a point, or -1.
    int tabAt(const QPoint& pos) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    void tabClicked(int previousTab);

protected:
    // A failing Click handler during a mouse or key selection is held for the event loop.
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int rowOf(int index) const { return index / m_tabsPerRow; }
    // Row 0 is drawn at the top; the selected tab's row is always the last.
    int displayRowOf(int row) const;

    QStringList m_captions;
    int m_tabsPerRow = 4;
    int m_tabHeight = 20;
    int m_tab = 0;
};

} // namespace quillora
