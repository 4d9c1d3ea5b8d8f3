#pragma once
// The main window's layouts. At the designed size every control sits where
// the classic form placed it (in twips); made larger, the statement boxes
// take the extra width and height, the strips grow with them and the fields
// widen; made smaller, the statement boxes give up their height first. The
// fit meter's line under each statement box takes one line of its designed
// height; the slide preview, while shown, stands beside the strips and the
// window is that much wider.

#include <QRect>
#include <QSize>

class QPushButton;
class QWidget;

namespace quillora {

struct PlanControls;

// The designed client area, without a menu bar.
QSize designedWindowSize();

// The smallest client area the window allows, unless the layouts need more
// (menu bar included): with the window's frame it fits a 1280x720 screen,
// and 800x500 logical pixels.
inline constexpr QSize kMinimumWindowSize{760, 430};

// Gives the store notice its gap below the strips while it shows, and
// returns the height it takes there at the window's width: nothing while it
// is hidden.
int fitStoreNotice(QWidget& window, const QWidget& notice);

// The room the slide preview takes beside the strips while shown.
int slidePreviewRoom(const QWidget& preview);

// Installs the plan form's layout: the two frames, then the strips with the
// slide preview beside them.
void layOutForm(QWidget& form, const PlanControls& controls);

// Installs the window's layout (a QVBoxLayout, which also carries the menu
// bar): the generate button, the plan form, and the store notice below it;
// sizes the window to its designed size.
void layOutWindow(QWidget& window, QPushButton& generateButton, QWidget& form, QWidget& storeNotice);

} // namespace quillora
