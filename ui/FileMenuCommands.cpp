#include "ui/FileMenuCommands.h"

#include "builder/DeckReader.h"
#include "builder/TemplateCheck.h"
#include "builder/WorkingCopy.h"
#include "core/AppTitle.h"
#include "core/DataFiles.h"
#include "core/FileNames.h"
#include "core/Quoted.h"
#include "core/RegularFile.h"
#include "core/RuntimeError.h"
#include "plan/PlanFileWriter.h"
#include "plan/PlanHistory.h"
#include "plan/PlanKeeper.h"
#include "plan/SettingsFiles.h"
#include "plan/SectionCatalogue.h"
#include "plan/StoredPlan.h"
#include "ui/DeckEditsChooser.h"
#include "ui/SnapshotChooser.h"
#include "ui/WindowHistory.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProgressDialog>
#include <QSaveFile>

#include <memory>

namespace quillora {
namespace {

constexpr char kPlanNotOpened[] = QT_TRANSLATE_NOOP("quillora::FileMenuCommands", "The plan was not opened: %1");

// Copies the file in one step: the destination is either as it was or the
// whole copy.
void copyInPlace(const QString& from, const QString& to)
{
    QFile source(from);
    if (const std::optional<ReadRefusal> refusal = openRegularFile(source)) {
        throw RuntimeError(FileMenuCommands::tr("%1 cannot be read: %2")
                               .arg(quoted(from), refusal->notRegular ? entryKindPhrase(*refusal->notRegular)
                                                                      : refusal->reason));
    }
    const QByteArray bytes = source.readAll();
    if (source.error() != QFileDevice::NoError)
        throw RuntimeError(FileMenuCommands::tr("%1 cannot be read: %2").arg(quoted(from), source.errorString()));
    if (!QDir().mkpath(QFileInfo(to).absolutePath()))
        throw RuntimeError(FileMenuCommands::tr("The folder %1 cannot be made.").arg(quoted(QFileInfo(to).absolutePath())));
    QSaveFile copy(to);
    if (!copy.open(QIODevice::WriteOnly) || copy.write(bytes) != bytes.size() || !copy.commit())
        throw RuntimeError(FileMenuCommands::tr("%1 cannot be written: %2").arg(quoted(to), copy.errorString()));
}

} // namespace

FileMenuCommands::FileMenuCommands(Platform& platform, PlanKeeper& plan, QObject* parent)
    : QObject(parent), m_platform(platform), m_plan(plan)
{
}

void FileMenuCommands::setHistory(WindowHistory* history, SnapshotChooser* chooser)
{
    m_history = history;
    m_chooser = chooser;
}

bool FileMenuCommands::usesOwnTemplate()
{
    const QString own = userTemplatePath();
    return !own.isEmpty() && QFileInfo(own).isFile();
}

void FileMenuCommands::tell(const QString& text)
{
    m_platform.messages->show(applicationTitle(), text, MessageIcon::Warning, MessageButtons::Ok);
}

bool FileMenuCommands::ask(const QString& text)
{
    return m_platform.messages->show(applicationTitle(), text, MessageIcon::Warning, MessageButtons::YesNo)
           == MessageAnswer::Yes;
}

bool FileMenuCommands::refusedWhileGenerating(const QString& what)
{
    if (m_changesAllowed)
        return false;
    tell(tr("The deck is being made. %1 once it is done.").arg(what));
    return true;
}

bool FileMenuCommands::savePlanAs()
{
    const std::optional<QString> path = m_platform.files->fileToSave(
        tr("Save Plan As"), tr("plan.json"), tr("Plan files (*.json);;All files (*)"), ReplaceQuestion::AskedByCaller);
    if (!path)
        return false;
    // The program's own files are never written over with a plan, nor
    // offered for replacing.
    if (const std::optional<QString> refusal = writeRefusal(*path, windowProtectedFiles(*m_platform.environment))) {
        tell(tr("The plan was not saved: %1").arg(*refusal));
        return false;
    }
    if (QFileInfo::exists(*path) && !ask(tr("%1 already exists. Replace it?").arg(quoted(*path))))
        return false;
    try {
        writePlanFile(*path, documentOf(m_plan.plan()));
    } catch (const RuntimeError& e) {
        tell(tr("The plan was not saved: %1").arg(e.description()));
        return false;
    }
    return true;
}

void FileMenuCommands::openPlan()
{
    if (refusedWhileGenerating(tr("Open the plan")))
        return;
    const std::optional<QString> path =
        m_platform.files->fileToOpen(tr("Open Plan"), tr("Plan files (*.json);;All files (*)"));
    if (!path)
        return;
    Plan plan;
    QString backup;
    try {
        // Read and checked whole, and the window's plan set aside, before
        // anything is replaced.
        plan = planOf(readPlanFile(*path));
        if (m_plan.plan() != Plan())
            backup = backupPlan(documentOf(m_plan.plan()));
    } catch (const RuntimeError& e) {
        tell(tr(kPlanNotOpened).arg(e.description()));
        return;
    }
    if (!keepBeforeReplacing(kPlanNotOpened))
        return;
    replacePlan(plan, backup);
}

bool FileMenuCommands::keepBeforeReplacing(const char* refusal)
{
    if (!m_history)
        return true;
    if (const std::optional<QString> failed = m_history->tryKeep(m_plan.plan())) {
        tell(tr(refusal).arg(*failed));
        return false;
    }
    return true;
}

void FileMenuCommands::replacePlan(const Plan& plan, const QString& backup)
{
    m_plan.replace(plan);
    if (const std::optional<PlanStoreError>& refused = m_plan.failure()) {
        tell(backup.isEmpty() ? tr("The plan could not be stored: %1").arg(refused->reason())
                              : tr("The plan could not be stored: %1\nThe plan it was replacing is kept in %2.")
                                    .arg(refused->reason(), quoted(backup)));
    }
    Q_EMIT planReplaced();
}

void FileMenuCommands::showHistory()
{
    if (!m_history || !m_chooser || refusedWhileGenerating(tr("Restore a plan")))
        return;
    const std::vector<Snapshot> snapshots = m_history->snapshots();
    if (snapshots.empty()) {
        tell(tr("No plan has been kept in the history yet."));
        return;
    }
    const std::optional<int> chosen = m_chooser->choose(snapshotLines(snapshots));
    if (!chosen || *chosen < 0 || size_t(*chosen) >= snapshots.size())
        return;
    if (!keepBeforeReplacing(QT_TR_NOOP("The plan was not restored: %1")))
        return;
    replacePlan(planOf(snapshots[size_t(*chosen)].plan), QString());
}

void FileMenuCommands::bringBackEdits()
{
    if (!m_editsChooser || refusedWhileGenerating(tr("Bring back edits")))
        return;
    const std::optional<QString> path = m_platform.files->fileToOpen(
        tr("Bring Back Edits from a Deck"), tr("Presentations (*.pptx *.odp *.ppt);;All files (*)"));
    if (!path)
        return;
    DeckReading reading;
    try {
        reading = readPlanFromDeckFile(*path, templateDeckPath(*m_platform.environment), m_plan.plan(),
                                       officeConverter(*path));
    } catch (const RuntimeError& e) {
        tell(tr("%1 was not read: %2").arg(quoted(*path), e.description()));
        return;
    }
    std::vector<PartChange> changes;
    for (const QString& key : changedKeys(m_plan.plan(), reading.plan))
        changes.push_back({key, planPartName(key), m_plan.plan().value(key), reading.plan.value(key)});
    if (changes.empty()) {
        tell(tr("%1 holds your plan as it is: there is nothing to bring back.").arg(quoted(*path)));
        return;
    }
    const QStringList taken = m_editsChooser->choose(changes, reading.leftOut);
    if (taken.isEmpty() || !keepBeforeReplacing(QT_TR_NOOP("The edits were not brought back: %1")))
        return;
    Plan next = m_plan.plan();
    for (const QString& key : taken)
        next.set(key, reading.plan.value(key));
    replacePlan(next, QString());
}

OfficeConverter FileMenuCommands::officeConverter(const QString& deckPath)
{
    if (!m_platform.processes)
        return {};
    OfficeConverter office{m_platform.processes, findLibreOffice(*m_platform.processes), {}};
    // LibreOffice takes seconds to start: the window keeps drawing under a
    // dialog that can stop it.
    office.tick = [this, deckPath, progress = std::shared_ptr<QProgressDialog>()](qint64) mutable {
        if (!progress) {
            progress = std::make_shared<QProgressDialog>(tr("Converting %1 with LibreOffice…").arg(quoted(deckPath)),
                                                         tr("Stop"), 0, 0, QApplication::activeWindow());
            progress->setWindowModality(Qt::ApplicationModal);
            progress->setMinimumDuration(500);
        }
        m_platform.events->processPendingEvents();
        return !progress->wasCanceled();
    };
    return office;
}

void FileMenuCommands::useTemplate()
{
    if (refusedWhileGenerating(tr("Choose the template")))
        return;
    const std::optional<QString> path = m_platform.files->fileToOpen(
        tr("Use Template"), tr("Presentations (*.ppt *.pptx);;All files (*)"));
    if (!path)
        return;
    const QString own = userTemplatePath();
    if (own.isEmpty()) {
        tell(tr("There is no home folder to keep a template of your own in."));
        return;
    }
    if (sameFile(*path, own)) {
        tell(tr("%1 is already the template in use.").arg(quoted(*path)));
        return;
    }
    // The copy never lands on a settings file or the program's template.
    const std::vector<ProtectedFile> protectedFiles =
        quillora::protectedFiles({{ProtectedRole::Template, standardTemplatePath(*m_platform.environment)}});
    if (const std::optional<QString> refusal = writeRefusal(own, protectedFiles)) {
        tell(tr("The template was not changed: %1").arg(*refusal));
        return;
    }
    QStringList missing;
    try {
        missing = missingTemplatePieces(*path);
    } catch (const UnreadableTemplate& e) {
        tell(tr("%1 cannot be used as a template: %2").arg(quoted(*path), e.reason()));
        return;
    }
    if (!missing.isEmpty()
        && !ask(tr("%1 lacks places the deck is written into:\n\n%2\n%3\n\nUse it anyway?")
                    .arg(quoted(*path), missing.join(QLatin1Char('\n')), templateCheckSummary(missing))))
        return;
    try {
        copyInPlace(*path, own);
    } catch (const RuntimeError& e) {
        tell(tr("The template was not changed: %1").arg(e.description()));
        return;
    }
    Q_EMIT templateChanged();
}

void FileMenuCommands::useStandardTemplate()
{
    if (refusedWhileGenerating(tr("Choose the template")))
        return;
    if (!usesOwnTemplate()) {
        tell(tr("The standard template is already in use."));
        return;
    }
    const QString own = userTemplatePath();
    if (!ask(tr("Use the standard template again? Your own template %1 is removed.").arg(quoted(own))))
        return;
    QFile file(own);
    if (!file.remove())
        tell(tr("%1 could not be removed: %2").arg(quoted(own), file.errorString()));
    Q_EMIT templateChanged();
}

} // namespace quillora
