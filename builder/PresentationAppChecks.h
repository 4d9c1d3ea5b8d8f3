#pragma once
// Whether the presentation application can be started at all (module
// IsInstalled, once at start-up) and whether one already runs (module
// PowerPoint1, before every generation). Both reach it only by class name
// through the automation runtime, and show their messages through the
// platform's message boxes under the application title.

#include "automation/AutomationRuntime.h"
#include "automation/PresentationAppWords.h"
#include "core/Platform.h"

namespace quillora {

// %1: the name, %2: the same starting a sentence, %3: how to close it. The
// messages and the words put in them are translated under the context
// "PowerPointChecks".
inline constexpr char kNotInstalledMessage[] = QT_TRANSLATE_NOOP(
    "PowerPointChecks",
    "%2 is not installed on this computer. You need to have it installed to use this software without error.");
// The two warning lines are joined by a lone carriage return.
inline constexpr char kAlreadyOpenWarning[] = QT_TRANSLATE_NOOP("PowerPointChecks",
                                                                "%2 may be open. It is recommended that you close %1 first.\r"
                                                                "Use %3 if necessary.\r\n\r\n"
                                                                "Would you like to proceed anyway?");
QString notInstalledMessage(const PresentationAppWords& app);
QString alreadyOpenWarning(const PresentationAppWords& app);
// The status the program ends with when it cannot work at all.
inline constexpr int kNotInstalledExitStatus = 1;

// Returns when the application can be created; otherwise says so and ends
// the program through the platform's exit door.
void checkPresentationAppInstalled(Platform& platform, automation::AutomationRuntime& runtime,
                                   const PresentationAppWords& app);

// True when a running instance answers to its name as the application;
// every failure counts as not running.
bool isPresentationAppRunning(automation::AutomationRuntime& runtime);

// True when the caller must not go on: an instance runs and the user
// answered No to the warning.
bool warnIfPresentationAppOpen(Platform& platform, automation::AutomationRuntime& runtime,
                               const PresentationAppWords& app);

} // namespace quillora
