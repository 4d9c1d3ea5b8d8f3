#pragma once
// When the window's plan is kept in the plan's history: before the edit that
// opens each ten minutes of editing, on close, and before the plan is
// replaced (a plan opened, a snapshot restored, edits brought back from a
// deck). The times come from the platform's clock: a wall time taken once,
// moved on by the monotonic clock, so tests move both without waiting.

#include "core/Platform.h"
#include "plan/Plan.h"
#include "plan/PlanHistory.h"

#include <QDateTime>
#include <optional>

namespace quillora {

inline constexpr qint64 kSnapshotSpacingMs = 10 * 60 * 1000;

class WindowHistory {
public:
    WindowHistory(QString folder, Clock& clock, QDateTime startTime = QDateTime::currentDateTime());

    // Before an edit: keeps the plan as it stands unless one was kept in the
    // last ten minutes. A refused write is tried again at the next edit; it
    // never stops the edit.
    void beforeEdit(const Plan& plan);
    // Keeps the plan now. Throws RuntimeError naming the file or folder.
    void keep(const Plan& plan);
    // Keeps the plan now; what went wrong, or nothing.
    std::optional<QString> tryKeep(const Plan& plan);

    std::vector<Snapshot> snapshots() const { return m_history.snapshots(); }

private:
    QDateTime now() const;

    PlanHistory m_history;
    Clock& m_clock;
    QDateTime m_startTime;
    qint64 m_startMs;
    std::optional<qint64> m_lastKeptMs;
};

} // namespace quillora
