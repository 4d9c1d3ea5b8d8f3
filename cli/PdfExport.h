#pragma once
// Turns a finished deck into a PDF with LibreOffice, run headless with a
// profile of its own so it neither touches nor waits for the user's office
// suite.

#include "core/ProcessRunner.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace quillora {

// A status line that rewrites itself in place on a terminal; silent otherwise.
class ProgressLine {
public:
    // enabled: stderr is a terminal.
    explicit ProgressLine(bool enabled) : m_enabled(enabled) {}
    ~ProgressLine() { clear(); }
    void show(const QString& text);
    void clear();

private:
    bool m_enabled;
    bool m_shown = false;
};

bool standardErrorIsTerminal();

// Converts the deck at deckPath to a PDF inside workFolder and returns the
// PDF's path. Throws RuntimeError with one plain sentence on any failure.
QString convertToPdf(ProcessRunner& runner, const QString& soffice, const QString& deckPath,
                     const QString& workFolder, ProgressLine& progress);

} // namespace quillora
