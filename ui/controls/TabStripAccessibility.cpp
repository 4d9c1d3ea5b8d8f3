#include "ui/controls/TabStripAccessibility.h"
#include "core/HeldFailure.h"
#include "ui/controls/AccessibleEvents.h"
#include "ui/controls/TabStrip.h"

#include <QPointer>

namespace quillora {
namespace {

// One tab of a strip. It has no QObject of its own: it is the strip and an
// index, and stops being valid when the strip goes or loses that tab.
class TabAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    TabAccessible(TabStrip* strip, int index) : m_strip(strip), m_index(index) {}

    TabStrip* strip() const { return m_strip.data(); }
    int index() const { return m_index; }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }

    bool isValid() const override { return m_strip && m_index < m_strip->count(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override
    {
        const QAccessibleInterface* owner = parent();
        return owner ? owner->window() : nullptr;
    }

    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(m_strip.data()); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name || !isValid())
            return {};
        return m_strip->captions().at(m_index);
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect local = m_strip->tabRect(m_index);
        return QRect(m_strip->mapToGlobal(local.topLeft()), local.size());
    }

    QAccessible::Role role() const override { return QAccessible::PageTab; }

    QAccessible::State state() const override
    {
        QAccessible::State s;
        if (!isValid()) {
            s.invalid = true;
            return s;
        }
        const QAccessible::State strip = parent()->state();
        s.disabled = strip.disabled;
        s.invisible = strip.invisible;
        s.offscreen = strip.offscreen;
        s.focusable = true;
        s.selectable = true;
        const bool chosen = m_index == m_strip->tab();
        s.selected = chosen;
        s.focused = chosen && m_strip->hasFocus();
        return s;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& actionName) override
    {
        if (!isValid() || actionName != pressAction())
            return;
        // The strip's Click handler may fail; as with a mouse click, the
        // failure waits for the event loop instead of unwinding through Qt.
        holdingFailures([&] {
            m_strip->setTab(m_index);
            return true;
        });
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QPointer<TabStrip> m_strip;
    int m_index;
};

QAccessibleInterface* tabStripFactory(const QString& className, QObject* object)
{
    if (className != QLatin1String(TabStrip::staticMetaObject.className()))
        return nullptr;
    if (auto* strip = qobject_cast<TabStrip*>(object))
        return new TabStripAccessible(strip);
    return nullptr;
}

void send(QAccessibleEvent&& event)
{
    sendAccessibleEvent(event);
}

} // namespace

TabStripAccessible::TabStripAccessible(TabStrip* strip) : QAccessibleWidget(strip, QAccessible::PageTabList) {}

TabStripAccessible::~TabStripAccessible()
{
    for (const QAccessible::Id id : std::as_const(m_tabs))
        QAccessible::deleteAccessibleInterface(id);
}

TabStrip* TabStripAccessible::strip() const
{
    return static_cast<TabStrip*>(widget());
}

int TabStripAccessible::childCount() const
{
    return strip()->count();
}

QAccessibleInterface* TabStripAccessible::child(int index) const
{
    if (index < 0 || index >= childCount())
        return nullptr;
    if (const QAccessible::Id id = m_tabs.value(index)) {
        if (QAccessibleInterface* known = QAccessible::accessibleInterface(id))
            return known;
    }
    auto* tab = new TabAccessible(strip(), index);
    m_tabs.insert(index, QAccessible::registerAccessibleInterface(tab));
    return tab;
}

int TabStripAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    const auto* tab = dynamic_cast<const TabAccessible*>(child);
    return tab && tab->strip() == strip() && tab->isValid() ? tab->index() : -1;
}

QAccessibleInterface* TabStripAccessible::childAt(int x, int y) const
{
    const int index = strip()->tabAt(strip()->mapFromGlobal(QPoint(x, y)));
    return index < 0 ? nullptr : child(index);
}

QAccessibleInterface* TabStripAccessible::focusChild() const
{
    return strip()->hasFocus() ? child(strip()->tab()) : nullptr;
}

QString TabStripAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name && strip()->accessibleName().isEmpty()) {
        const int tab = strip()->tab();
        return tab < strip()->count() ? strip()->captions().at(tab) : QString();
    }
    return QAccessibleWidget::text(t);
}

void installTabStripAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(tabStripFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

void announceTabChange(TabStrip& strip, int previousTab)
{
    if (!accessibleEventsWanted())
        return;
    QAccessible::State selected;
    selected.selected = true;
    if (previousTab >= 0 && previousTab < strip.count()) {
        QAccessibleStateChangeEvent left(&strip, selected);
        left.setChild(previousTab);
        send(std::move(left));
    }
    QAccessibleStateChangeEvent chosen(&strip, selected);
    chosen.setChild(strip.tab());
    send(std::move(chosen));

    QAccessibleEvent selection(&strip, QAccessible::Selection);
    selection.setChild(strip.tab());
    send(std::move(selection));
    if (strip.accessibleName().isEmpty())
        send(QAccessibleEvent(&strip, QAccessible::NameChanged));
    if (strip.hasFocus())
        announceTabFocus(strip);
}

void announceTabFocus(TabStrip& strip)
{
    if (!accessibleEventsWanted() || strip.tab() >= strip.count())
        return;
    QAccessibleEvent focus(&strip, QAccessible::Focus);
    focus.setChild(strip.tab());
    send(std::move(focus));
}

} // namespace quillora
