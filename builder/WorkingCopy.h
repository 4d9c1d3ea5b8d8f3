#pragma once
// Where the template deck and the working copy live, and the copy between
// them.

#include "core/FileNames.h"
#include "core/Platform.h"
#include "core/WriteGuard.h"

#include <QString>
#include <optional>
#include <vector>

namespace quillora {

// "marketing_plan.ppt" from the user's data folder, beside the program or
// from the installed data folder, the first that has it (see core/DataFiles.h).
QString templateDeckPath(Environment& environment);
// The program's own "marketing_plan.ppt", whether or not the user has one.
QString standardTemplatePath(Environment& environment);

// What the window's writers (Save Plan As, the working copy) never replace:
// the user's settings files and the templates, the user's own and the
// program's (see core/WriteGuard.h).
std::vector<ProtectedFile> windowProtectedFiles(Environment& environment);

// The folder named by TEMP, or the platform's temporary folder when TEMP is
// unset or empty, + separator + "marketing_plan_temp.ppt".
QString workingCopyPath(Environment& environment);

// Why no working copy can be written at workingCopyPath now, in one sentence
// with the way out: its folder is missing, is no folder or may not be
// written, or the path leads to a file no writer replaces. Nothing when it
// can be written. Checked before a run, so that an ordinary setup problem is
// told plainly rather than as a failing step.
std::optional<QString> workingCopyRefusal(Environment& environment);

// Copies source over destination, replacing it; the destination is either
// the old file or the complete new one, never half written. Throws
// RuntimeError naming the file that could not be read or written.
void copyReplacing(const QString& source, const QString& destination);

} // namespace quillora
