#include "ui/WindowPlacement.h"
#include "plan/PlanStore.h"
#include "plan/SettingsFiles.h"

#include <QSettings>

#include <algorithm>
#include <memory>

namespace quillora {
namespace {

std::unique_ptr<QSettings> windowSettings()
{
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QLatin1String(kSettingsOrganization), QLatin1String(kWindowSettingsName));
}

// Moves [start, start+length) into [low, high) as far as it fits; a span
// longer than the range starts at low.
int clampSpan(int start, int length, int low, int high)
{
    return std::max(low, std::min(start, high - length));
}

} // namespace

QMargins marginsAround(const QRect& outer, const QRect& inner)
{
    return QMargins(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                    outer.bottom() - inner.bottom());
}

QRect fitOnScreen(const QRect& client, const QMargins& frame, const QRect& available, const QSize& minimum)
{
    const QSize room = available.size().shrunkBy(frame);
    const QSize size = client.size().boundedTo(room).expandedTo(minimum);
    const QRect framed = QRect(client.topLeft(), size).marginsAdded(frame);
    const int left = clampSpan(framed.left(), framed.width(), available.left(), available.left() + available.width());
    const int top = clampSpan(framed.top(), framed.height(), available.top(), available.top() + available.height());
    return QRect(QPoint(left + frame.left(), top + frame.top()), size);
}

QRect centredOnScreen(const QSize& client, const QMargins& frame, const QRect& available)
{
    QRect framed = QRect(QPoint(), client).marginsAdded(frame);
    framed.moveCenter(available.center());
    return QRect(framed.topLeft() + QPoint(frame.left(), frame.top()), client);
}

QByteArray SettingsWindowMemory::savedGeometry()
{
    return windowSettings()->value(QLatin1String(kWindowGeometryKey)).toByteArray();
}

void SettingsWindowMemory::saveGeometry(const QByteArray& geometry)
{
    const std::unique_ptr<QSettings> settings = windowSettings();
    settings->setValue(QLatin1String(kWindowGeometryKey), geometry);
    settings->sync();
}

} // namespace quillora
