#pragma once
// The machine as the command-line tool presents it to the deck generator:
// message boxes nobody sees (every message is kept and turns the run into a
// failure), a clock on which every wait is over at once, a desktop that only
// notes which file it was asked to open, and an environment whose temporary
// folder and program folder are private to one run.

#include "core/Platform.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace quillora {

class HeadlessPlatform {
public:
    HeadlessPlatform(QString tempFolder, QString programFolder);
    HeadlessPlatform(const HeadlessPlatform&) = delete;
    HeadlessPlatform& operator=(const HeadlessPlatform&) = delete;

    Platform& platform() { return m_platform; }

    // The text of every message box the run tried to show, in order.
    const QStringList& messages() const { return m_messages.texts; }
    // The last file the run handed to the desktop, if any.
    const std::optional<QString>& openedFile() const { return m_desktop.opened; }

private:
    class SilentMessages final : public MessageBoxes {
    public:
        MessageAnswer show(const QString& title, const QString& text, MessageIcon, MessageButtons buttons) override;
        QStringList texts;
    };

    // Virtual time: each reading moves it on by a second and each sleep by
    // its length, so a wait that polls the clock ends after one round and a
    // wait that sleeps costs nothing.
    class InstantClock final : public Clock {
    public:
        double secondsSinceMidnight() override;
        qint64 monotonicMs() override;
        void sleepMs(qint64 ms) override;

    private:
        qint64 m_nowMs = 0;
    };

    class NoEvents final : public EventPump {
    public:
        void processPendingEvents() override {}
    };

    class FixedRandom final : public RandomSource {
    public:
        void seed(float) override {}
        float next() override { return 0.5f; }
    };

    class CapturingDesktop final : public Desktop {
    public:
        bool openUrl(const QString&) override { return false; }
        bool openFile(const QString& path) override;
        std::optional<QString> opened;
    };

    class PrivateFolders final : public Environment {
    public:
        PrivateFolders(QString temp, QString program) : m_temp(std::move(temp)), m_program(std::move(program)) {}
        std::optional<QString> variable(const QString& name) override;
        QString tempFolder() override { return m_temp; }
        QString programFolder() override { return m_program; }

    private:
        QString m_temp, m_program;
    };

    // Nothing in a deck run may end the process behind the tool's back.
    class RefusingExit final : public ProgramExit {
    public:
        void endNow(int status) override;
    };

    SilentMessages m_messages;
    InstantClock m_clock;
    NoEvents m_events;
    FixedRandom m_random;
    CapturingDesktop m_desktop;
    PrivateFolders m_environment;
    RefusingExit m_exit;
    Platform m_platform;
};

// Turns an error report ("description\r\nin X.Module.Procedure at line N\r\r...")
// into one plain phrase: "description (Procedure, step N)". Any other message
// comes back on one line.
QString plainMessage(const QString& messageText);

} // namespace quillora
