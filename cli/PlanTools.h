#pragma once
// The command's work on plans and templates besides filling a deck: checking
// a template, and carrying the stored plan out to a plan file and back in.

#include <QDateTime>
#include <QString>
#include <QtGlobal>
#include <QTextStream>
#include <functional>

namespace quillora {

class PlanHistory;
class PlanStore;

// What the command says when it would replace the stored plan while a window
// holds it. Translated under the context "DeckCommand".
inline constexpr char kCloseWindowFirst[] =
    QT_TRANSLATE_NOOP("DeckCommand", "Close the Quillora window first: it holds the plan you are about to replace.");

// Prints one line per missing piece of the template, then the summary line.
// True when nothing is missing; throws RuntimeError when the file cannot be
// read as a presentation.
bool printTemplateCheck(const QString& templatePath, QTextStream& out);

// Writes the stored plan to a plan file, replacing it in one step; never
// over the user's settings files or the template a run would fill.
void exportStoredPlan(PlanStore& store, const QString& path, const QString& templatePath);

// Stores the plan file's plan after setting the stored one aside in the
// user's plans folder and keeping it in the history; returns the sentence
// that says where it went. Refused while windowRunning() says the window is
// open: it would write its own plan back over the imported one. Throws
// RuntimeError with one plain sentence.
QString importPlanFile(PlanStore& store, PlanHistory& history, const QString& path,
                       const std::function<bool()>& windowRunning, const QDateTime& now);

// One line per snapshot kept, newest first, numbered as --restore takes
// them: the number, the time, the product name and what changed since the
// snapshot before it.
void printPlanHistory(const PlanHistory& history, QTextStream& out);

// Stores the snapshot numbered `number` in printPlanHistory's list, after
// keeping the stored plan in the history; refused while a window holds the
// plan. Returns the sentence that says what was restored.
QString restorePlanSnapshot(PlanStore& store, PlanHistory& history, const QString& number,
                            const std::function<bool()>& windowRunning, const QDateTime& now);

} // namespace quillora
