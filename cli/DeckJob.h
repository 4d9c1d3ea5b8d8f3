#pragma once
// One run of the command-line tool: read the plan, let the deck generator
// fill the template, then put the finished deck (and, when asked, its PDF) at
// the output path in one step, so a failed run leaves no half-written file
// behind.

#include "cli/OutputChecks.h"
#include "core/ErrorReport.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

namespace quillora {

class PlanStore;
struct Plan;
class ProcessRunner;
class ProgressLine;

struct DeckJob {
    QString templatePath;
    std::optional<QString> planPath; // nothing: the user's stored plan
    QString outputPath;
    bool pdf = false; // also a PDF beside OUT; no more than OUT when OUT is a PDF
    bool continueLongSections = false; // too long a section goes on over more slides
};

// What a filler made: the filled deck's bytes (empty when it made none) and
// every step that failed on the way, in order.
struct FilledDeck {
    QByteArray bytes;
    std::vector<StepFailure> failures;
};

// Fills the template at templatePath with `plan`, continuing long sections
// on further slides when asked. Throws RuntimeError only when it cannot run
// at all.
using DeckFiller =
    std::function<FilledDeck(const QString& templatePath, const Plan& plan, bool continueLongSections)>;

struct DeckJobTools {
    DeckFiller filler;
    PlanStore* storedPlan = nullptr;     // the user's plan; a job without a plan file needs it
    ProcessRunner* processes = nullptr; // for --pdf
    ProgressLine* progress = nullptr;   // for --pdf
    QString libreOffice;                // path of soffice; empty when not installed
    WriteProbe mayWrite;                // empty: ask the system (userMayWrite)
    std::function<bool()> windowRunning; // for --import-plan; unset: taken as not running
};

// The files a job writes; an empty path is one it does not write.
struct DeckOutputs {
    QString deck;
    QString pdf;
};

// The user's plan store the tools were given.
PlanStore& storedPlanOf(const DeckJobTools& tools);

// An output whose name ends in .pdf, in any case, is a PDF.
bool isPdfPath(const QString& path);

// OUT ending in .pdf: that PDF alone. Otherwise the deck at OUT and, with
// --pdf, its PDF beside it.
DeckOutputs deckOutputs(const DeckJob& job);

// The PDF that goes with an output deck: ".pptx" replaced by ".pdf", or
// ".pdf" appended when the name has another ending.
QString pdfPathFor(const QString& outputPath);

// The plan a job fills from: the plan file's, or the stored plan without
// one. Throws RuntimeError with one plain sentence when it cannot be read.
Plan jobPlan(const std::optional<QString>& planPath, const DeckJobTools& tools);

// The template filled with the job's plan (jobPlan), in memory; throws
// RuntimeError with one plain sentence when anything fails.
QByteArray fillDeck(const QString& templatePath, const std::optional<QString>& planPath, const DeckJobTools& tools,
                    bool continueLongSections = false);

// Refuses, before anything is made, an output that would replace a file the
// job reads, a settings file or one the user may not write, or that has no
// folder to go in: RuntimeError with one plain sentence.
void checkOutputPath(const QString& outputPath, const DeckJob& job, const WriteProbe& mayWrite);

// Runs the job; throws RuntimeError with one plain sentence when anything fails.
void runDeckJob(const DeckJob& job, const DeckJobTools& tools);

// The failed steps of a run as one plain phrase: the first one's description
// and where it happened, and how many more there were. Mentions of the
// template's path name it as the template.
QString failureSentence(const std::vector<StepFailure>& failures, const QString& templatePath);

} // namespace quillora
