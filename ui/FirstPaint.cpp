#include "ui/FirstPaint.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace quillora {
namespace {

class FirstPaintWatch final : public QObject {
public:
    FirstPaintWatch(QWidget& window, std::function<void()> then) : QObject(&window), m_then(std::move(then))
    {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            watched->removeEventFilter(this);
            // After the paint has been handled and the picture handed on.
            QTimer::singleShot(0, this, [this] {
                const auto then = std::move(m_then);
                deleteLater();
                then();
            });
        }
        return false;
    }

private:
    std::function<void()> m_then;
    bool m_seen = false;
};

} // namespace

void printFirstPaintLine()
{
    std::fputs(kFirstPaintLine, stdout);
    std::fflush(stdout);
}

void afterFirstPaint(QWidget& window, std::function<void()> then)
{
    new FirstPaintWatch(window, std::move(then));
}

} // namespace quillora
