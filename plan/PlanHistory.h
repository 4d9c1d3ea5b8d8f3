#pragma once
// The plan's history: snapshots of the plan kept as plan files in
// $XDG_DATA_HOME/quillora/history, one file each, named by the time taken
// and the product name ("2026-12-09 101500.250 Acme Rocket Skates.json").
//
// A snapshot is written beside its final name and linked into place, so a
// file there is always whole and never replaces another. A plan identical to
// one already kept is not kept again. Thinning keeps the newest
// kKeptSnapshots and, of the older ones, the newest of each day for
// kThinnedDays; the rest are removed.

#include "plan/PlanFile.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <vector>

namespace quillora {

inline constexpr char kHistoryFolderName[] = "history";
inline constexpr int kKeptSnapshots = 50;
inline constexpr int kThinnedDays = 30;

struct Snapshot {
    QString path;
    QDateTime time;
    PlanDocument plan;
};

// <userDataFolder>/history; empty when the user has no home folder.
QString planHistoryFolder();

class PlanHistory {
public:
    explicit PlanHistory(QString folder);

    // Keeps the plan as a new snapshot taken at `time` unless an identical
    // plan is kept already; returns the new file's path, or an empty text
    // when nothing was written. Throws RuntimeError naming the file or folder.
    QString record(const PlanDocument& plan, const QDateTime& time);

    // The snapshots kept, newest first. Files in the folder that are not
    // snapshots, or cannot be read as plans, are passed over.
    std::vector<Snapshot> snapshots() const;

    // Removes the snapshots thinning lets go, as seen at `now`.
    void thin(const QDateTime& now);

private:
    QString m_folder;
};

// What differs between the two plans, as the window names it: the product
// name, the plan title, then the captions of the sections, in tab order.
QStringList changedParts(const PlanDocument& older, const PlanDocument& newer);

} // namespace quillora
