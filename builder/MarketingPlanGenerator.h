#pragma once
// The marketing-plan generator: turns the plan into a filled deck.
//   generateMarketPlan  copies the template, opens the copy in the
//                       presentation application and fills it
//   updateText          writes one statement, line by line, into one shape
//   pause               lets pending window events run, then waits
// All three reach the application only through the context's automation
// runtime, fill from the plan value handed in, report failed steps
// only to the context's sink and wait only on the context's clock, so the
// program, the tests and the command each hand in their own. The generator
// writes no file of its own: what becomes of the filled deck is the caller's
// next step.

#include "automation/Automation.h"
#include "automation/AutomationRuntime.h"
#include "core/ErrorReport.h"
#include "core/Platform.h"
#include "plan/Plan.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace quillora {

struct BuilderContext {
    automation::AutomationRuntime& runtime;
    // Every failed step of the generator and the writer goes here.
    FailureSink& failures;
    // What pauses wait on. Without them (tools that fill decks with no window
    // to keep responsive) a pause returns at once.
    Clock* clock = nullptr;
    EventPump* events = nullptr;
    // Told after each row of the fill map: rows done so far, and all rows.
    std::function<void(int done, int total)> progress = {};
    // Asked after each row: true ends the run there, with no further row
    // written (the closing steps still run).
    std::function<bool()> stopRequested = {};
};

inline constexpr float kPauseSeconds = 0.5f;

// Which deck a run fills and where it is opened from.
struct GenerationRequest {
    QString templatePath;
    // The template is copied here and the copy opened. Empty: the template
    // itself is opened, for callers that take the filled deck from the
    // engine and never write it back.
    QString workingCopyPath;
    // A section too long to read on its slide continues on copies of the
    // slide placed right after it.
    bool continueLongSections = false;
};

// What a run did: the file the application was asked to open, and whether
// it opened. The filled deck stays open in the application.
struct GenerationOutcome {
    QString deckPath;
    bool opened = false;
    bool stopped = false; // ended early on request
};

// Runs the window system's pending events once, then waits the given time
// on the monotonic clock, sleeping rather than spinning; nothing else runs
// during the wait.
void pause(const BuilderContext& context, float seconds);

// Clears the range's shape and writes the lines into it: ordinary lines as
// bulleted 24-point paragraphs, lines whose first non-blank character is "-"
// as unbulleted 22-point paragraphs led by a tab. Guarded: every failing step
// is reported and skipped; nothing is passed to the caller.
void updateText(const BuilderContext& context, const QStringList& lines, automation::Ref<automation::TextRange>& range);

// A statement's lines as a run writes them: split at each "\r\n".
QStringList statementLines(const QString& statement);

// A sub-point: the first character after leading spaces (U+0020 only) is
// "-". Tabs and other dashes do not count.
bool isSubPointLine(const QString& line);

// One whole generation run; guarded like updateText. Reads each text from
// `plan` when its row of the fill map comes up, so a text edited during a
// pause reaches a row not yet written.
GenerationOutcome generateMarketPlan(const BuilderContext& context, const GenerationRequest& request,
                                     const Plan& plan);

// A continuation slide's title: the slide's own followed by " (continued)",
// translated.
QString continuedTitle(const QString& title);

// The product line of slide 1: the name with every "Marketing Plan" taken
// out, then a line break and "Marketing Plan".
QString productLine(const QString& productName);

} // namespace quillora
