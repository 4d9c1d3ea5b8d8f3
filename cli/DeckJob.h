#pragma once
// One run of the command-line tool: read the plan, let the deck generator
// fill the template in a private folder, then put the finished deck (and, when
// asked, its PDF) at the output path in one step, so a failed run leaves no
// half-written file behind.

#include "core/Platform.h"

#include <QString>
#include <functional>
#include <optional>

namespace quillora {

class ProcessRunner;
class ProgressLine;

struct DeckJob {
    QString templatePath;
    std::optional<QString> planPath; // nothing: the user's stored plan
    QString outputPath;
    bool pdf = false;
};

// The two texts of slide 1, from the plan file or the stored plan.
struct TitleTexts {
    QString productName;
    QString planTitle;
};

// Fills the template found at platform.environment->programFolder() and hands
// the finished deck to platform.desktop->openFile(); reads the statements
// through the plan store.
using DeckFiller = std::function<void(Platform& platform, const TitleTexts& titles)>;

struct DeckJobTools {
    DeckFiller filler;
    ProcessRunner* processes = nullptr; // for --pdf
    ProgressLine* progress = nullptr;   // for --pdf
    QString libreOffice;                // path of soffice; empty when not installed
};

// The PDF that goes with an output deck: ".pptx" replaced by ".pdf", or
// ".pdf" appended when the name has another ending.
QString pdfPathFor(const QString& outputPath);

// Runs the job; throws RuntimeError with one plain sentence when anything fails.
void runDeckJob(const DeckJob& job, const DeckJobTools& tools);

} // namespace quillora
