#pragma once
// Where the template deck and the working copy live, and the copy between
// them.

#include "core/FileNames.h"
#include "core/Platform.h"

#include <QString>

namespace quillora {

// "marketing_plan.ppt" from the user's data folder, beside the program or
// from the installed data folder, the first that has it (see core/DataFiles.h).
QString templateDeckPath(Environment& environment);

// The folder named by TEMP, or the platform's temporary folder when TEMP is
// unset or empty, + separator + "marketing_plan_temp.ppt".
QString workingCopyPath(Environment& environment);

// Copies source over destination, replacing it; the destination is either
// the old file or the complete new one, never half written. Throws
// RuntimeError naming the file that could not be read or written.
void copyReplacing(const QString& source, const QString& destination);

} // namespace quillora
