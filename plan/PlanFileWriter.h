#pragma once
// Writes a plan as a plan file the reader takes back unchanged (PlanFile.h):
// pretty-printed UTF-8 JSON, "lineBreaks": "exact", the titles, then the
// sections in tab order by caption, each statement as its array of lines.

#include "plan/PlanFile.h"

#include <QByteArray>
#include <QString>

namespace quillora {

QByteArray planFileJson(const PlanDocument& plan);

// Puts the file in place in one step: the destination is either its old
// content or the whole new plan. A destination the user may not write, or a
// folder, is refused. Throws RuntimeError naming the file.
void writePlanFile(const QString& path, const PlanDocument& plan);

} // namespace quillora
