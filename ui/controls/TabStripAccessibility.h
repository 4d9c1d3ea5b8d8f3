#pragma once
// What assistive technology reads of a TabStrip: a page tab list whose
// children are its tabs (role page tab, named by their captions, the chosen
// one selected), the way Qt presents its own QTabBar. The strip's name is the
// chosen tab's caption unless the strip has an accessible name of its own.
//
// TabStrip registers the factory itself, so every strip gets this interface.

#include <QAccessibleWidget>
#include <QHash>

namespace quillora {

class TabStrip;

class TabStripAccessible : public QAccessibleWidget {
public:
    explicit TabStripAccessible(TabStrip* strip);
    ~TabStripAccessible() override;

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;
    QString text(QAccessible::Text t) const override;

private:
    TabStrip* strip() const;

    // The tabs' interfaces, made on first request and owned by Qt's registry.
    mutable QHash<int, QAccessible::Id> m_tabs;
};

// Makes QAccessible::queryAccessibleInterface answer TabStripAccessible for
// every TabStrip. Safe to call more than once.
void installTabStripAccessibility();

// Tells assistive technology that the strip's chosen tab moved from
// previousTab to the current one: the two tabs' selected states, the
// selection, and the focus when the strip has it.
void announceTabChange(TabStrip& strip, int previousTab);

// Tells assistive technology which tab holds the focus inside the strip.
void announceTabFocus(TabStrip& strip);

} // namespace quillora
