#pragma once
// Where the main window opens: wholly on the screen it starts on, at the
// size and place it had when it was last closed, else centred.

#include <QByteArray>
#include <QMargins>
#include <QRect>
#include <QSize>

namespace quillora {

// The window's own settings group, beside (never among) the plan's values.
inline constexpr char kWindowGeometryKey[] = "Window/geometry";

// The client rectangle for a window whose client area is `client`, framed
// by `frame`, so that the whole frame lies inside `available`: the size is
// cut down to what fits (never below `minimum`), then the window is moved in.
QRect fitOnScreen(const QRect& client, const QMargins& frame, const QRect& available, const QSize& minimum);

// The client rectangle of a window of that size centred in `available`.
QRect centredOnScreen(const QSize& client, const QMargins& frame, const QRect& available);

// Keeps the window's geometry between runs. The QSettings one stores it in
// the program's settings file; a write that fails, or would have to wait for
// another program's write, is dropped without a word: it is only a
// convenience, and never worth a message or a delay.
class WindowMemory {
public:
    virtual ~WindowMemory() = default;
    virtual QByteArray savedGeometry() = 0;
    virtual void saveGeometry(const QByteArray& geometry) = 0;
};

class SettingsWindowMemory final : public WindowMemory {
public:
    QByteArray savedGeometry() override;
    void saveGeometry(const QByteArray& geometry) override;
};

} // namespace quillora
