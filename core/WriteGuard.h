#pragma once
// The one check every writer makes before it creates or replaces a file. No
// output ever lands on the settings file that keeps the plan (nor on its
// lock, its temporary copies and the backups kept beside it), the window's
// settings file likewise, the lock that keeps a second window off the plan,
// a template in use or the plan file being read. A file is known however it
// is named: relative, through "..", through symbolic links (followed to
// where a write would land, also when the link points at nothing yet) or as
// a hard link (compared by device and inode); a name that does not exist yet
// by its real folder and its name.
//
// Writers call it before any "replace?" question, so a refused file is never
// offered for replacing.

#include <QString>
#include <QtGlobal>
#include <optional>
#include <vector>

namespace quillora {

enum class ProtectedRole {
    // The settings file that keeps the plan. Every name beside it that
    // continues its own after a dot ("<file>.lock", the temporary copies a
    // replacement writes, the kept damaged copies) belongs to it too.
    PlanSettings,
    // The window's settings file, with the names beside it likewise.
    WindowSettings,
    // The lock that keeps a second window off the plan.
    WindowClaim,
    // A template in use: the one a run fills, or the program's own.
    Template,
    // The plan file being read.
    PlanFile,
    // The deck being read back into a plan.
    DeckRead,
};

struct ProtectedFile {
    ProtectedRole role;
    QString path; // an empty path protects nothing
};

// The sentence that refuses writing `output` (named as the user gave it),
// or nothing when no protected file is in the way. Exact matches win over
// the names that belong to a settings file.
std::optional<QString> writeRefusal(const QString& output, const std::vector<ProtectedFile>& protectedFiles);

// Throws RuntimeError with writeRefusal's sentence.
void guardWrite(const QString& output, const std::vector<ProtectedFile>& protectedFiles);

// Whether two paths lead to one file, however spelled (as above).
bool sameFile(const QString& a, const QString& b);

// Whether this process may write the existing file at `path` (links
// followed), as the kernel decides: root may write what the mode bits
// forbid, and a read-only mount or an immutable file stops everyone.
bool userMayWrite(const QString& path);

} // namespace quillora
