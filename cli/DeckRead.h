#pragma once
// --read-deck: the plan a deck holds, as a plan file on standard output or
// at OUT. A .pptx is read as it is; a deck in another format (OpenDocument,
// the legacy binary one) is first converted to .pptx by LibreOffice in a
// folder of the run's own, and refused when LibreOffice is not installed.

#include "cli/DeckJob.h"

#include <QString>
#include <QStringList>
#include <QTextStream>
#include <optional>

namespace quillora {

struct DeckReadRequest {
    QString deckPath;
    QString templatePath; // what a statement left empty by the fill leaves in its shape
    std::optional<QString> outputPath; // nothing: standard output
};

// Writes the plan file and returns one line per shape that was not found
// (its section left out of the plan). Throws RuntimeError with one plain
// sentence when the deck cannot be read or the output not written; nothing
// is written then.
QStringList readDeckToPlanFile(const DeckReadRequest& request, const DeckJobTools& tools, QTextStream& out);

} // namespace quillora
