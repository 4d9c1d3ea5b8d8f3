#pragma once
// The plan in the plan store as a whole: read out as a plan document, stored
// from one, and set aside as a plan file before another plan replaces it.
// Everything goes through the plan store handed in (PlanStore.h).

#include "plan/PlanFile.h"
#include "plan/PlanStore.h"

#include <QDateTime>
#include <QString>

namespace quillora {

// Every key the store holds, exactly as stored; keys never stored stay out.
PlanDocument readStoredPlan(PlanStore& store);

// Writes each key the document has, titles first, through to the disk in one
// replacement of the store (all or none where the store can); keys the
// document lacks keep what the store holds. Throws RuntimeError when the
// write fails.
void storePlan(PlanStore& store, const PlanDocument& plan);

// The product name as part of a file name: what a file name cannot hold, or
// would show misleadingly, replaced by spaces; empty when nothing is left.
QString planFileNamePart(const QString& productName);

// "2026-12-08 101500 Acme Rocket Skates.json": the time, then the product
// name with what a file name cannot hold replaced by spaces (nothing when
// the name leaves nothing).
QString planBackupFileName(const QDateTime& time, const QString& productName);

// Saves the stored plan as a new plan file in `folder` (created when
// missing), named by planBackupFileName with " (2)", " (3)"... added rather
// than touch a file already there, and forced to the disk. Returns its path,
// or an empty text when the store holds no plan at all. Throws RuntimeError
// naming the file when it cannot be written.
QString backupStoredPlan(PlanStore& store, const QString& folder, const QDateTime& time);
// The same for a plan in hand.
QString backupPlan(const PlanDocument& plan, const QString& folder, const QDateTime& time);
QString backupPlan(const PlanDocument& plan);
// The same in the user's plans folder (core/DataFiles.h), now.
QString backupStoredPlan(PlanStore& store);

// At the end of a desktop session, with the store refusing: keeps the plan
// as a new plan file in the plans folder and leaves a note that names it,
// for the next start to tell. Returns the file's path; empty when nothing
// could be written (there is nowhere left to say so).
QString keepUnsavedPlan(const PlanDocument& plan);
// The plan file such a note names, and the note gone; empty when none.
QString takeUnsavedPlanNote();

} // namespace quillora
