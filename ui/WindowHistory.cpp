#include "ui/WindowHistory.h"

#include "core/RuntimeError.h"

namespace quillora {

WindowHistory::WindowHistory(QString folder, Clock& clock, QDateTime startTime)
    : m_history(std::move(folder)), m_clock(clock), m_startTime(std::move(startTime)), m_startMs(clock.monotonicMs())
{
}

QDateTime WindowHistory::now() const
{
    return m_startTime.addMSecs(m_clock.monotonicMs() - m_startMs);
}

void WindowHistory::beforeEdit(const Plan& plan)
{
    if (m_lastKeptMs && m_clock.monotonicMs() - *m_lastKeptMs < kSnapshotSpacingMs)
        return;
    tryKeep(plan);
}

void WindowHistory::keep(const Plan& plan)
{
    // A window that never held a plan has nothing to go back to.
    if (plan != Plan())
        m_history.record(documentOf(plan), now());
    m_lastKeptMs = m_clock.monotonicMs();
}

std::optional<QString> WindowHistory::tryKeep(const Plan& plan)
{
    try {
        keep(plan);
    } catch (const RuntimeError& error) {
        return error.description();
    }
    return std::nullopt;
}

} // namespace quillora
