#include "cli/PlanTools.h"
#include "cli/CommandText.h"

#include "builder/TemplateCheck.h"
#include "cli/OutputChecks.h"
#include "core/Quoted.h"
#include "core/RuntimeError.h"
#include "plan/PlanFileWriter.h"
#include "plan/StoredPlan.h"

namespace quillora {

bool printTemplateCheck(const QString& templatePath, QTextStream& out)
{
    const QStringList missing = missingTemplatePieces(templatePath);
    for (const QString& line : missing)
        out << line << '\n';
    out << templateCheckSummary(missing) << Qt::endl;
    return missing.isEmpty();
}

void exportStoredPlan(PlanStore& store, const QString& path, const QString& templatePath)
{
    guardWrite(path, commandProtectedFiles(templatePath));
    writePlanFile(path, readStoredPlan(store));
}

QString importPlanFile(PlanStore& store, const QString& path, const std::function<bool()>& windowRunning)
{
    // The whole file is read and checked before anything is touched.
    const PlanDocument plan = readPlanFile(path);
    if (windowRunning && windowRunning()) {
        throw RuntimeError(CommandText::tr(kCloseWindowFirst));
    }
    const QString backup = backupStoredPlan(store);
    storePlan(store, plan);
    if (backup.isEmpty())
        return CommandText::tr("Stored the plan from %1.").arg(quoted(path));
    return CommandText::tr("Stored the plan from %1; the plan it replaced is kept in %2.").arg(quoted(path), quoted(backup));
}

} // namespace quillora
