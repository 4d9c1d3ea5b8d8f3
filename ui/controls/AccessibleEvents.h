#pragma once
// Every accessibility event the program raises itself goes through here on
// its way to Qt, which hands it to the desktop's assistive technology when
// one listens (on Linux, the AT-SPI bus). A receiver can be put in Qt's
// place: the tests use one, because on the offscreen platform Qt has no
// accessibility and drops every event.

#include <QAccessible>
#include <functional>

namespace quillora {

using AccessibleEventReceiver = std::function<void(QAccessibleEvent&)>;

// True when an event would reach anyone: worth building one.
bool accessibleEventsWanted();
// Delivers the event to the receiver, or else to Qt.
void sendAccessibleEvent(QAccessibleEvent& event);
// Puts a receiver in Qt's place (an empty one gives the place back) and
// returns the one it replaces.
AccessibleEventReceiver setAccessibleEventReceiver(AccessibleEventReceiver receiver);

} // namespace quillora
