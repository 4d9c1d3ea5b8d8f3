#pragma once
// The marketing-plan generator: turns the plan into a filled deck.
//   generateMarketPlan  copies the template, opens the copy in the
//                       presentation application and fills it
//   updateText          writes one statement, line by line, into one shape
//   pause               lets pending window events run, then waits
// All three reach the machine only through the context's platform doors and
// the application only through the context's automation runtime, so the
// program, the tests and command-line tools each hand in their own.

#include "builder/Automation.h"
#include "builder/AutomationRuntime.h"
#include "builder/SlideOneTexts.h"
#include "core/Platform.h"

#include <QString>
#include <QStringList>

namespace quillora {

struct BuilderContext {
    Platform& platform;
    automation::AutomationRuntime& runtime;
    // Off for tools that fill decks without a window to keep responsive:
    // Pause then returns at once without touching the event loop.
    bool pausesEnabled = true;
};

inline constexpr char kGenerateMarketPlanLocation[] = "in Brindlecoe2021/08/31.LessonPlan.GenerateMarketPlan ";
inline constexpr char kUpdateTextLocation[] = "in Brindlecoe2021/08/31.LessonPlan.updateText ";
inline constexpr float kPauseSeconds = 0.5f;

// Runs the window system's pending events once, then waits the given time
// on the monotonic clock, sleeping rather than spinning; nothing else runs
// during the wait.
void pause(const BuilderContext& context, float seconds);

// Clears the range's shape and writes the lines into it: ordinary lines as
// bulleted 24-point paragraphs, lines whose first non-blank character is "-"
// as unbulleted 22-point paragraphs led by a tab. Guarded: every failing step
// is reported and skipped; nothing is passed to the caller.
void updateText(const BuilderContext& context, const QStringList& lines, automation::Ref<automation::TextRange>& range);

// One whole generation run; guarded like updateText. Reads the two slide-1
// texts from `slideOne` and each statement from the plan store when its row
// of the fill map comes up.
void generateMarketPlan(const BuilderContext& context, const SlideOneTexts& slideOne);

// The product line of slide 1: the name with every "Marketing Plan" taken
// out, then a line break and "Marketing Plan".
QString productLine(const QString& productName);

} // namespace quillora
