#pragma once
// Where the main window opens: wholly on the screen it starts on, at the
// size and place it had when it was last closed, else centred.

#include <QByteArray>
#include <QMargins>
#include <QRect>
#include <QSize>

namespace quillora {

// Kept in the window's own settings file (plan/SettingsFiles.h).
inline constexpr char kWindowGeometryKey[] = "Window/geometry";

// The margins that put `inner` where it lies inside `outer` (both in the
// same coordinates): a window's frame around its client area.
QMargins marginsAround(const QRect& outer, const QRect& inner);

// The client rectangle for a window whose client area is `client`, framed
// by `frame`, so that the whole frame lies inside `available`: the size is
// cut down to what fits (never below `minimum`), then the window is moved in.
QRect fitOnScreen(const QRect& client, const QMargins& frame, const QRect& available, const QSize& minimum);

// The client rectangle of a window of that size centred in `available`.
QRect centredOnScreen(const QSize& client, const QMargins& frame, const QRect& available);

// Keeps the window's geometry between runs. The QSettings one stores it in
// the window's settings file; a write that fails is dropped without a word:
// it is only a convenience, never worth a message.
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
