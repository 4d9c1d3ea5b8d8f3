#pragma once
// A main window on fake platform doors and an in-memory plan store, with the
// builder's entry points recorded.

#include "ui/MainWindow.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/MemorySettings.h"

#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace quillora::testing {

// Window geometry kept in the test, not in the settings file.
class HeldWindowMemory final : public WindowMemory {
public:
    explicit HeldWindowMemory(QByteArray& held) : m_held(held) {}
    QByteArray savedGeometry() override { return m_held; }
    void saveGeometry(const QByteArray& geometry) override { m_held = geometry; }

private:
    QByteArray& m_held;
};

class WindowFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        fake.environment.program = programDir.path();
        hooks.checkPresentationAppInstalled = [this] { ++installedChecks; };
        hooks.warnIfPresentationAppOpen = [this] { return warnResult(); };
        hooks.generateMarketPlan = [this](const GenerationRun& run) {
            ++generations;
            runProgress = run.progress;
            runPlan = run.plan;
            runStop = run.stopRequested;
            runContinues = run.continueLongSections;
            if (onGenerate)
                onGenerate();
        };
    }

    MainWindow& window()
    {
        if (!m_window) {
            m_window = std::make_unique<MainWindow>(fake.platform, store, hooks);
            m_window->setWindowMemory(std::make_unique<HeldWindowMemory>(savedGeometry));
        }
        return *m_window;
    }

    MainWindow& loadedWindow()
    {
        window().startUp();
        return *m_window;
    }

    // Shown and active, so focus changes raise their events.
    MainWindow& shownWindow()
    {
        loadedWindow().showCentred();
        QApplication::setActiveWindow(m_window.get());
        QApplication::processEvents();
        return *m_window;
    }

    QStringList reportLines() const
    {
        QStringList lines;
        for (const ShownMessage& m : fake.messages.shown) {
            const qsizetype at = m.text.indexOf(QLatin1String("at line "));
            lines << (at < 0 ? QString() : m.text.mid(at + 8, 3));
        }
        return lines;
    }

    QTemporaryDir programDir;
    FakePlatform fake;
    MemorySettings store;
    BuilderHooks hooks;
    int installedChecks = 0;
    int generations = 0;
    std::function<bool()> warnResult = [] { return false; };
    std::function<void()> onGenerate;
    GenerationProgress runProgress; // what the window handed to the latest run
    Plan runPlan;                    // the plan the latest run was handed, as it started
    std::function<bool()> runStop;   // asked by the latest run after each slide
    bool runContinues = false;       // the latest run's continuation of long sections
    QByteArray savedGeometry;       // the window's geometry kept between runs

    // Ends the window, as closing the program does, so the next window() is
    // another run.
    void endWindow() { m_window.reset(); }

private:
    std::unique_ptr<MainWindow> m_window;
};

} // namespace quillora::testing
