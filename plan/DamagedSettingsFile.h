#pragma once
// A settings file that cannot be read as settings is kept, byte for byte,
// beside itself under a name that says so and when, before the store writes
// over it: "Quillora.conf.damaged-20270314-091502".

#include <QDateTime>
#include <QString>

namespace quillora {

inline constexpr char kDamagedCopyMarker[] = ".damaged-";
inline constexpr char kDamagedCopyTimeFormat[] = "yyyyMMdd-HHmmss";

// The name for a copy of filePath kept at `when` (without a number to tell
// apart copies made within one second).
QString damagedCopyPath(const QString& filePath, const QDateTime& when);

// Copies filePath to a new file beside it and returns the copy's path.
// Throws PlanStoreError (a write refused) when no copy could be made.
QString keepDamagedCopy(const QString& filePath, const QDateTime& when);

} // namespace quillora
