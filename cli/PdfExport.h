#pragma once
// Turns a finished deck into a PDF with LibreOffice, run headless with a
// profile of its own so it neither touches nor waits for the user's office
// suite.

#include <QString>
#include <QStringList>
#include <functional>

namespace quillora {

struct ProcessOutcome {
    bool started = false;
    bool timedOut = false;
    int exitCode = -1;
    QString errorOutput; // what the program printed, for the failure message
};

// Starts one program and waits for it; the door the tests replace to see the
// command line without starting LibreOffice.
class ProcessRunner {
public:
    virtual ~ProcessRunner() = default;
    // Calls tick(elapsed milliseconds) a few times a second while it waits.
    virtual ProcessOutcome run(const QString& program, const QStringList& arguments, int timeoutMs,
                               const std::function<void(qint64)>& tick) = 0;
};

class QProcessRunner final : public ProcessRunner {
public:
    ProcessOutcome run(const QString& program, const QStringList& arguments, int timeoutMs,
                       const std::function<void(qint64)>& tick) override;
};

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

// The path of LibreOffice's "soffice", or an empty text when none is on PATH.
QString findLibreOffice();

// The private profile's settings, in place before LibreOffice first starts
// with it: macro security at its highest and macro execution switched off,
// so no macro a deck carries runs while it is converted, and none asks.
void writeProfileSettings(const QString& profile);

inline constexpr int kPdfTimeoutMs = 180'000;

// Converts the deck at deckPath to a PDF inside workFolder and returns the
// PDF's path. Throws RuntimeError with one plain sentence on any failure.
QString convertToPdf(ProcessRunner& runner, const QString& soffice, const QString& deckPath,
                     const QString& workFolder, ProgressLine& progress);

} // namespace quillora
