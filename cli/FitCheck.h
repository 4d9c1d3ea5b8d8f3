#pragma once
// quillora-deck --check-fit: fills the template with the plan in memory, as a
// run would, and prints one line per section: its slide, its caption and how
// its text fits there ("fits", the scale it shrinks to, or how many lines it
// is over at the smallest readable scale).

#include "builder/SectionFit.h"
#include "cli/DeckJob.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QTextStream>

#include <optional>

namespace quillora {

QCommandLineOption fitCheckOption();

// The first option or argument given beside --check-fit that does not go
// with it (only --plan and --template do), as written; empty when none.
QString fitCheckConflict(const QCommandLineParser& parser, const QCommandLineOption& checkFit);

// One section's line, such as "slide 3, Product Definition: 83 %".
QString fitCheckLine(const SectionFit& section);

// Prints the lines; true when every section fits at kReadableFontScale or
// more. Throws RuntimeError with one plain sentence on bad input (plan,
// template), as a run would.
bool printFitCheck(const QString& templatePath, const std::optional<QString>& planPath, const DeckJobTools& tools,
                   QTextStream& out);

} // namespace quillora
