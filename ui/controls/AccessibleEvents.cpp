#include "ui/controls/AccessibleEvents.h"

namespace quillora {
namespace {

AccessibleEventReceiver& receiver()
{
    static AccessibleEventReceiver current;
    return current;
}

} // namespace

bool accessibleEventsWanted()
{
    return receiver() || QAccessible::isActive();
}

void sendAccessibleEvent(QAccessibleEvent& event)
{
    if (receiver())
        receiver()(event);
    else
        QAccessible::updateAccessibility(&event);
}

AccessibleEventReceiver setAccessibleEventReceiver(AccessibleEventReceiver next)
{
    return std::exchange(receiver(), std::move(next));
}

} // namespace quillora
