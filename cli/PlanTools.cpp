#include "cli/PlanTools.h"
#include "cli/CommandText.h"

#include "builder/TemplateCheck.h"
#include "cli/OutputChecks.h"
#include "core/Quoted.h"
#include "core/RuntimeError.h"
#include "plan/PlanFileWriter.h"
#include "plan/PlanHistory.h"
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

namespace {

void refuseWhileWindowRuns(const std::function<bool()>& windowRunning)
{
    if (windowRunning && windowRunning())
        throw RuntimeError(CommandText::tr(kCloseWindowFirst));
}

// Whether the store holds anything worth keeping.
bool holdsPlan(const PlanDocument& plan)
{
    return plan.hasProductName || plan.hasPlanTitle || !plan.statements.empty();
}

// A name as one line of a listing: line breaks, other control characters and
// invisible format characters shown as spaces.
QString oneLine(const QString& text)
{
    QString line;
    for (const char32_t c : text.toUcs4()) {
        const QChar::Category category = QChar::category(c);
        line += category == QChar::Other_Control || category == QChar::Other_Format || category == QChar::Separator_Line
                        || category == QChar::Separator_Paragraph
                    ? QStringLiteral(" ")
                    : QString::fromUcs4(&c, 1);
    }
    return line.simplified();
}

} // namespace

QString importPlanFile(PlanStore& store, PlanHistory& history, const QString& path,
                       const std::function<bool()>& windowRunning, const QDateTime& now)
{
    // The whole file is read and checked before anything is touched.
    const PlanDocument plan = readPlanFile(path);
    refuseWhileWindowRuns(windowRunning);
    const PlanDocument replaced = readStoredPlan(store);
    if (holdsPlan(replaced))
        history.record(replaced, now);
    const QString backup = backupStoredPlan(store);
    storePlan(store, plan);
    if (backup.isEmpty())
        return CommandText::tr("Stored the plan from %1.").arg(quoted(path));
    return CommandText::tr("Stored the plan from %1; the plan it replaced is kept in %2.").arg(quoted(path), quoted(backup));
}

void printPlanHistory(const PlanHistory& history, QTextStream& out)
{
    const std::vector<Snapshot> snapshots = history.snapshots();
    for (size_t i = 0; i < snapshots.size(); ++i) {
        const Snapshot& snapshot = snapshots[i];
        QString name = oneLine(snapshot.plan.productName);
        if (name.isEmpty())
            name = CommandText::tr("(no product name)");
        const QString changes = i + 1 < snapshots.size()
            ? CommandText::tr("changed: %1").arg(changedParts(snapshots[i + 1].plan, snapshot.plan).join(QStringLiteral(", ")))
            : CommandText::tr("the oldest kept");
        out << QStringLiteral("%1  %2  %3  %4").arg(i + 1).arg(snapshot.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), name, changes)
            << '\n';
    }
    out.flush();
}

QString restorePlanSnapshot(PlanStore& store, PlanHistory& history, const QString& number,
                            const std::function<bool()>& windowRunning, const QDateTime& now)
{
    const std::vector<Snapshot> snapshots = history.snapshots();
    bool isNumber = false;
    const qsizetype index = number.toLongLong(&isNumber) - 1;
    if (!isNumber || index < 0 || index >= qsizetype(snapshots.size()))
        throw RuntimeError(CommandText::tr("there is no plan numbered %1 in the history (see --history)").arg(quoted(number)));
    const Snapshot& chosen = snapshots[size_t(index)];
    refuseWhileWindowRuns(windowRunning);
    const PlanDocument replaced = readStoredPlan(store);
    if (holdsPlan(replaced))
        history.record(replaced, now);
    storePlan(store, chosen.plan);
    return CommandText::tr("Restored the plan kept at %1; the plan it replaced is kept in the history.")
        .arg(chosen.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
}

} // namespace quillora
