#pragma once
// The command line of quillora-deck: options, help, version, and the one
// plain sentence on stderr with a non-zero status when anything fails.

#include "cli/DeckJob.h"

#include <QStringList>
#include <QTextStream>

namespace quillora {

enum ExitStatus : int {
    kExitSuccess = 0,
    kExitFailure = 1, // the run failed: plan, template, generator, output or PDF
    kExitUsage = 2,   // the command line itself is wrong
    kExitTooLong = 2, // --check-fit: a section needs more than the readable scale
    kExitLeftOut = 3, // --read-deck: a section's shape was not found and its section left out
};

// arguments: the whole command line, program name first. defaultTemplate:
// used when --template is not given.
int runDeckCommand(const QStringList& arguments, const QString& defaultTemplate, const DeckJobTools& tools,
                   QTextStream& out, QTextStream& err);

} // namespace quillora
