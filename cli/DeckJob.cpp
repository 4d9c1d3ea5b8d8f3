#include "cli/DeckJob.h"
#include "cli/CommandText.h"
#include "core/Quoted.h"
#include "core/RegularFile.h"

#include "cli/AtomicOutput.h"
#include "cli/OutputChecks.h"
#include "cli/PdfExport.h"
#include "plan/PlanFile.h"
#include "plan/Plan.h"
#include "plan/PlanStore.h"
#include "core/RuntimeError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <stdexcept>

namespace quillora {

void checkOutputPath(const QString& outputPath, const DeckJob& job, const WriteProbe& mayWrite)
{
    checkOutput(outputPath, commandProtectedFiles(job.templatePath, job.planPath.value_or(QString())), mayWrite);
    const QFileInfo folder(QFileInfo(outputPath).absolutePath());
    if (!folder.isDir())
        throw RuntimeError(CommandText::tr("the output folder %1 does not exist").arg(quoted(folder.filePath())));
    if (!folder.isWritable())
        throw RuntimeError(CommandText::tr("the output folder %1 is not writable").arg(quoted(folder.filePath())));
}

namespace {

// A deck is a zip archive (an empty one starts with its end record);
// anything else is turned away before the run.
void checkTemplate(const QString& templatePath)
{
    if (!QFileInfo::exists(templatePath))
        throw RuntimeError(CommandText::tr("the template %1 does not exist").arg(quoted(templatePath)));
    QFile file(templatePath);
    if (const std::optional<ReadRefusal> refusal = openRegularFile(file)) {
        if (refusal->notRegular) {
            throw RuntimeError(CommandText::tr("the template %1 is %2, not a file")
                                   .arg(quoted(templatePath), entryKindPhrase(*refusal->notRegular)));
        }
        throw RuntimeError(CommandText::tr("cannot read the template %1: %2").arg(quoted(templatePath), refusal->reason));
    }
    const QByteArray signature = file.read(4);
    if (signature != QByteArray("PK\x03\x04", 4) && signature != QByteArray("PK\x05\x06", 4)) {
        throw RuntimeError(
            CommandText::tr("the template %1 is not a presentation (.pptx) file").arg(quoted(templatePath)));
    }
}

QString makeFolder(const QDir& parent, const QString& name)
{
    const QString path = parent.filePath(name);
    if (!QDir().mkpath(path))
        throw RuntimeError(CommandText::tr("cannot create the working folder %1").arg(quoted(path)));
    return path;
}

// The run's scratch files are thrown away, so they belong on a memory-backed
// folder when there is one: nothing waits for the disk there. TMPDIR, when
// set, is the user's choice and wins.
QString scratchBase()
{
    const QString tmpdir = qEnvironmentVariable("TMPDIR");
    if (!tmpdir.isEmpty())
        return tmpdir;
    for (const QString& candidate : {qEnvironmentVariable("XDG_RUNTIME_DIR"), QStringLiteral("/dev/shm")}) {
        const QFileInfo folder(candidate);
        if (!candidate.isEmpty() && folder.isDir() && folder.isWritable())
            return candidate;
    }
    return QDir::tempPath();
}

} // namespace

QString failureSentence(const std::vector<StepFailure>& failures, const QString& templatePath)
{
    const StepFailure& first = failures.front();
    QString description = first.description.simplified();
    while (description.endsWith(QLatin1Char('.')))
        description.chop(1);
    // The engine names a file by its name alone, at the start of what it says.
    const QString templateName = CommandText::tr("the template ") + quoted(templatePath);
    const QString fileName = QFileInfo(templatePath).fileName() + QLatin1Char(' ');
    if (description.startsWith(fileName))
        description = templateName + QLatin1Char(' ') + description.mid(fileName.size());
    else
        description.replace(quoted(templatePath), templateName);
    QString sentence = CommandText::tr("the deck could not be filled: %1 (%2, step %3)")
                           .arg(description, first.procedure, QString::number(first.line));
    const auto more = failures.size() - 1;
    if (more == 1)
        sentence += CommandText::tr(", and 1 more error");
    else if (more > 1)
        sentence += CommandText::tr(", and %1 more errors").arg(more);
    return sentence;
}

PlanStore& storedPlanOf(const DeckJobTools& tools)
{
    if (!tools.storedPlan)
        throw std::logic_error("the command was started without the user's plan store");
    return *tools.storedPlan;
}

bool isPdfPath(const QString& path)
{
    return path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive);
}

DeckOutputs deckOutputs(const DeckJob& job)
{
    // The format follows the name: an OUT ending in .pdf is the PDF itself.
    if (isPdfPath(job.outputPath))
        return {QString(), job.outputPath};
    return {job.outputPath, job.pdf ? pdfPathFor(job.outputPath) : QString()};
}

QString pdfPathFor(const QString& outputPath)
{
    if (outputPath.endsWith(QLatin1String(".pptx"), Qt::CaseInsensitive))
        return outputPath.chopped(5) + QStringLiteral(".pdf");
    return outputPath + QStringLiteral(".pdf");
}

Plan jobPlan(const std::optional<QString>& planPath, const DeckJobTools& tools)
{
    // A plan file's plan: the user's stored plan is neither read nor touched.
    if (planPath)
        return planOf(readPlanFile(*planPath));
    try {
        return readPlan(storedPlanOf(tools));
    } catch (const PlanStoreError& failure) {
        throw RuntimeError(CommandText::tr("the stored plan cannot be read from %1: %2")
                               .arg(quoted(failure.filePath()), failure.reason()));
    }
}

QByteArray fillDeck(const QString& templatePath, const std::optional<QString>& planPath, const DeckJobTools& tools,
                    bool continueLongSections)
{
    checkTemplate(templatePath);
    const Plan plan = jobPlan(planPath, tools);
    const FilledDeck filled = tools.filler(templatePath, plan, continueLongSections);
    if (!filled.failures.empty())
        throw RuntimeError(failureSentence(filled.failures, templatePath));
    if (filled.bytes.isEmpty())
        throw RuntimeError(CommandText::tr("the deck generator finished without producing a deck"));

    return filled.bytes;
}

void runDeckJob(const DeckJob& job, const DeckJobTools& tools)
{
    if (job.outputPath.isEmpty())
        throw RuntimeError(CommandText::tr("no output file was given"));
    const DeckOutputs outputs = deckOutputs(job);
    for (const QString& output : {outputs.deck, outputs.pdf}) {
        if (!output.isEmpty())
            checkOutputPath(output, job, tools.mayWrite);
    }
    checkTemplate(job.templatePath);
    if (!outputs.pdf.isEmpty() && tools.libreOffice.isEmpty()) {
        throw RuntimeError(CommandText::tr("LibreOffice is not installed (no \"soffice\" on the PATH), so no PDF can "
                                          "be written; install the libreoffice-impress package or %1")
                               .arg(outputs.deck.isEmpty() ? CommandText::tr("name an output ending in .pptx")
                                                           : CommandText::tr("leave out --pdf")));
    }

    const QByteArray filled = fillDeck(job.templatePath, job.planPath, tools, job.continueLongSections);

    QString pdf;
    std::optional<QTemporaryDir> work;
    if (!outputs.pdf.isEmpty()) {
        // Only the conversion needs files of its own, in a private folder.
        work.emplace(QDir(scratchBase()).filePath(QStringLiteral("quillora-deck-XXXXXX")));
        if (!work->isValid())
            throw RuntimeError(CommandText::tr("cannot create a temporary folder: %1").arg(work->errorString()));
        const QDir workDir(work->path());
        const QString deck = workDir.filePath(QStringLiteral("filled.pptx"));
        QFile file(deck);
        if (!file.open(QIODevice::WriteOnly) || file.write(filled) != filled.size() || !file.flush())
            throw RuntimeError(CommandText::tr("cannot write the deck for PDF conversion: %1").arg(file.errorString()));
        file.close();
        ProgressLine silent(false);
        pdf = convertToPdf(*tools.processes, tools.libreOffice, deck, makeFolder(workDir, QStringLiteral("pdf-work")),
                           tools.progress ? *tools.progress : silent);
    }

    if (!outputs.deck.isEmpty())
        publishBytes(filled, outputs.deck);
    if (!outputs.pdf.isEmpty())
        publishFile(pdf, outputs.pdf);
}

} // namespace quillora
