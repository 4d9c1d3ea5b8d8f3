#pragma once
// The program's narrow doors to the machine: message boxes, the clock, the
// event loop, starting things on the desktop, the environment, ending the
// process and the file dialogs. Production code reaches them through a Platform; tests hand in
// their own implementations so every behaviour runs without a display or a
// wall clock.

#include "core/FileChooser.h"
#include "core/ProcessRunner.h"
#include "core/SpellChecking.h"

#include <QString>
#include <QtGlobal>
#include <optional>

namespace quillora {

enum class MessageIcon { None, Warning };
// SaveDiscardCancel: "Save Plan As…", "Close Without Saving" and "Cancel",
// answered Save, Discard and Cancel.
enum class MessageButtons { Ok, YesNo, SaveDiscardCancel };
enum class MessageAnswer { Ok, Yes, No, Save, Discard, Cancel };

// The buttons' texts of SaveDiscardCancel, translated under "MessageBoxes".
inline constexpr char kSavePlanAsButton[] = QT_TRANSLATE_NOOP("MessageBoxes", "Save Plan As…");
inline constexpr char kCloseWithoutSavingButton[] = QT_TRANSLATE_NOOP("MessageBoxes", "Close Without Saving");
inline constexpr char kCancelButton[] = QT_TRANSLATE_NOOP("MessageBoxes", "Cancel");

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Shows a modal message box and returns the button the user pressed.
    virtual MessageAnswer show(const QString& title, const QString& text, MessageIcon icon,
                               MessageButtons buttons) = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    // Time of day in seconds since local midnight (what the random seed uses).
    virtual double secondsSinceMidnight() = 0;
    // A monotonic clock for measuring waits; never jumps back.
    virtual qint64 monotonicMs() = 0;
    // Blocks the calling thread for about that long without using the CPU.
    virtual void sleepMs(qint64 ms) = 0;
};

class EventPump {
public:
    virtual ~EventPump() = default;
    // Runs the window system's pending events once and returns.
    virtual void processPendingEvents() = 0;
};

class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void seed(float seed) = 0;
    // Next number r with 0 <= r < 1.
    virtual float next() = 0;
};

class Desktop {
public:
    virtual ~Desktop() = default;
    // Hands an address to the desktop's web browser; false when nothing took it.
    virtual bool openUrl(const QString& url) = 0;
    // Hands a file to the application the desktop associates with it.
    virtual bool openFile(const QString& path) = 0;
};

class Environment {
public:
    virtual ~Environment() = default;
    virtual std::optional<QString> variable(const QString& name) = 0;
    // The folder for temporary files when nothing else names one.
    virtual QString tempFolder() = 0;
    // The folder that holds the program file, without a trailing separator.
    virtual QString programFolder() = 0;
};

class ProgramExit {
public:
    virtual ~ProgramExit() = default;
    // Ends the program at once; in production this does not return.
    virtual void endNow(int status) = 0;
};

// One bundle of every door, passed to whoever needs some of them.
struct Platform {
    MessageBoxes* messages = nullptr;
    Clock* clock = nullptr;
    EventPump* events = nullptr;
    RandomSource* random = nullptr;
    Desktop* desktop = nullptr;
    Environment* environment = nullptr;
    ProgramExit* exit = nullptr;
    FileChooser* files = nullptr;
    // None: nothing is spell-checked.
    SpellDictionaries* spelling = nullptr;
    // None: no other program is started.
    ProcessRunner* processes = nullptr;
};

} // namespace quillora
