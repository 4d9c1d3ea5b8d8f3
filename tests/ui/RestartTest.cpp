// Behaviour that shows only across processes: what a restart finds, what
// the real application object does with a failure during a user action, and
// one window per user however often the program is started.

#include "plan/PlanStore.h"
#include "plan/SectionCatalogue.h"
#include "platform/WindowActivation.h"
#include "platform/WindowInstance.h"
#include "ui/controls/LineBox.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/FakePlatform.h"
#include "ui/MainWindow.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <optional>
#include <cerrno>

using namespace quillora;

namespace {

QJsonObject runProbe(const QStringList& args, const QString& configHome = {},
                     const QString& platform = QStringLiteral("offscreen"), const QString& scale = {})
{
    quillora::testing::ChildOptions options;
    options.environment.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    if (!scale.isEmpty())
        options.environment.insert(QStringLiteral("QT_SCALE_FACTOR"), scale);
    if (!configHome.isEmpty())
        options.environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    const quillora::testing::ChildRun probe =
        quillora::testing::runChild(QStringLiteral(QUILLORA_BIN_DIR "/ui_probe"), args, options);
    EXPECT_TRUE(probe.finished);
    EXPECT_EQ(probe.exitCode, 0) << probe.err.toStdString();
    const QJsonDocument doc = QJsonDocument::fromJson(probe.out);
    EXPECT_TRUE(doc.isObject());
    return doc.object();
}

const QString kProgram = QStringLiteral(QUILLORA_BIN_DIR "/quillora");

// A start of the real program that saves its window as `shot` once shown,
// then ends; no file there means it never showed a window.
quillora::testing::ChildOptions startSavingWindowTo(const QString& shot)
{
    quillora::testing::ChildOptions options;
    options.environment.insert(QStringLiteral("QUILLORA_EXIT_AFTER_SHOW"), QStringLiteral("1"));
    options.environment.insert(QStringLiteral("QUILLORA_SCREENSHOT"), shot);
    return options;
}

} // namespace

TEST(OneWindow, ASecondStartBringsTheRunningWindowForwardAndEndsWithoutTouchingThePlan)
{
    const QString store = planStoreFile();
    openUserPlanStore()->write(QStringLiteral("Company Name"), QStringLiteral("Harbour Lights Coffee"));
    const QByteArray storedBefore = [&] { QFile f(store); f.open(QIODevice::ReadOnly); return f.readAll(); }();
    const QDateTime writtenBefore = QFileInfo(store).lastModified();
    EXPECT_FALSE(windowIsRunning(store));

    // This process holds the window, minimised, as the program would, with
    // its socket in a runtime folder of its own.
    QTemporaryDir runtime;
    const std::optional<QByteArray> runtimeBefore =
        qEnvironmentVariableIsSet("XDG_RUNTIME_DIR") ? std::optional(qgetenv("XDG_RUNTIME_DIR")) : std::nullopt;
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    const auto restoreRuntime = qScopeGuard([&] {
        if (runtimeBefore)
            qputenv("XDG_RUNTIME_DIR", *runtimeBefore);
        else
            qunsetenv("XDG_RUNTIME_DIR");
    });
    QWidget window;
    window.showMinimized();
    std::optional<ActivationRequest> asked;
    WindowInstance running(store);
    ASSERT_TRUE(running.claim({}, [&](const ActivationRequest& request) {
        asked = request;
        bringToFront(window, request);
    }));
    EXPECT_TRUE(windowIsRunning(store));
    EXPECT_FALSE(asked) << "asking whether a window runs does not bring it forward";

    // However the next start is made: as this one, without a runtime folder
    // (the socket then lies elsewhere), or with the settings folder named
    // through a symbolic link.
    QTemporaryDir shots;
    const QString linkedConfig = shots.filePath(QStringLiteral("linked-config"));
    ASSERT_TRUE(QFile::link(qEnvironmentVariable("XDG_CONFIG_HOME"), linkedConfig));
    for (int number = 1; number <= 3; ++number) {
        SCOPED_TRACE(number);
        const QString shot = shots.filePath(QStringLiteral("start%1.png").arg(number));
        quillora::testing::ChildOptions options = startSavingWindowTo(shot);
        options.environment.insert(QStringLiteral("DESKTOP_STARTUP_ID"), QStringLiteral("menu-7_TIME%1").arg(number));
        if (number == 2)
            options.environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        if (number == 3)
            options.environment.insert(QStringLiteral("XDG_CONFIG_HOME"), linkedConfig);
        asked.reset();
        window.showMinimized();
        const quillora::testing::ChildRun next = quillora::testing::runChild(kProgram, {}, options);
        EXPECT_TRUE(next.succeeded()) << next.diagnostics(kProgram).toStdString();
        EXPECT_FALSE(QFile::exists(shot)) << "a second window opened";

        ASSERT_TRUE(QTest::qWaitFor([&] { return asked.has_value(); }));
        EXPECT_EQ(asked->startupId, QStringLiteral("menu-7_TIME%1").arg(number).toUtf8());
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        EXPECT_FALSE(window.isMinimized());
    }

    QFile after(store);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), storedBefore);
    EXPECT_EQ(QFileInfo(store).lastModified(), writtenBefore);
}

TEST(OneWindow, TwoStartsGiveOneWindowAndAKilledWindowsSocketDoesNotBlockTheNextStart)
{
    const QString store = planStoreFile();
    const std::unique_ptr<QProcess> first = quillora::testing::startChild(kProgram, {});
    ASSERT_TRUE(QTest::qWaitFor([&] { return windowIsRunning(store); }, 30'000))
        << first->readAllStandardError().toStdString();

    QTemporaryDir shots;
    const QString secondShot = shots.filePath(QStringLiteral("second.png"));
    const quillora::testing::ChildRun second = quillora::testing::runChild(kProgram, {}, startSavingWindowTo(secondShot));
    EXPECT_TRUE(second.succeeded()) << second.diagnostics(kProgram).toStdString();
    EXPECT_FALSE(QFile::exists(secondShot));

    first->kill();
    first->waitForFinished();
    ASSERT_TRUE(QFileInfo::exists(windowServerName(store))) << "the killed window left its socket behind";
    EXPECT_FALSE(windowIsRunning(store));

    const QString thirdShot = shots.filePath(QStringLiteral("third.png"));
    const quillora::testing::ChildRun third = quillora::testing::runChild(kProgram, {}, startSavingWindowTo(thirdShot));
    EXPECT_TRUE(third.succeeded()) << third.diagnostics(kProgram).toStdString();
    EXPECT_TRUE(QFile::exists(thirdShot));
    EXPECT_FALSE(QFileInfo::exists(windowServerName(store))) << "the next window took the socket over and closed it";
}

TEST(Restart, ACompanyNameTypedInTheWindowIsBackAtTheNextStart)
{
    // This process's own settings folder; the probe inherits it.
    quillora::testing::FakePlatform fake;
    QTemporaryDir programFolder;
    fake.environment.program = programFolder.path();
    {
        const std::unique_ptr<PlanStore> plan = openUserPlanStore();
        MainWindow window(fake.platform, *plan,
                          BuilderHooks{[] {}, [] { return false; }, [](const GenerationRun&) {}});
        window.startUp();
        window.productNameField->setText(QString());
        QTest::keyClicks(window.productNameField, QStringLiteral("Harbour Lights Coffee"));
    }
    const QJsonObject next = runProbe({QStringLiteral("start")});
    EXPECT_EQ(next[QStringLiteral("productName")].toString(), QStringLiteral("Harbour Lights Coffee"));
    EXPECT_EQ(next[QStringLiteral("first")].toString(), findSection(Strip::First, 4)->hint());
}

TEST(SafetyNet, ARefusedWriteWhileTypingGivesTheStoreNoticeNoBoxAndTheProgramKeepsItsText)
{
    // Settings that cannot be written: the application's folder is a file.
    QTemporaryDir configHome;
    QFile blocker(configHome.filePath(QStringLiteral("Tarnvale")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    const QJsonObject out = runProbe({QStringLiteral("type"), QStringLiteral("xy")}, configHome.path());
    // Neither the start-up nor the keystrokes and the tab choice raise a box.
    EXPECT_EQ(out[QStringLiteral("messages")].toArray().size(), 0);
    EXPECT_TRUE(out[QStringLiteral("storeNotice")].toString().contains(qt_error_string(ENOTDIR)));
    EXPECT_EQ(out[QStringLiteral("first")].toString(), findSection(Strip::First, 4)->hint() + QStringLiteral("xy"));
    EXPECT_EQ(out[QStringLiteral("secondTab")].toInt(), 2);
    EXPECT_EQ(out[QStringLiteral("second")].toString(), findSection(Strip::Second, 2)->hint());
}

TEST(Placement, AtScaleTwoOnASmallScreenTheWholeWindowIsOnTheScreen)
{
    // 1600x1000 pixels at scale 2: 800x500 logical pixels, as in the report
    // of a window placed at (-48, -250) with its button off the screen.
    QTemporaryDir dir;
    const QString config = dir.filePath(QStringLiteral("screens.json"));
    QFile file(config);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"({"screens": [{"name": "small", "x": 0, "y": 0, "width": 1600, "height": 1000,
                  "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
    file.close();
    const QJsonObject placed = runProbe({QStringLiteral("place")}, dir.path(),
                                        QStringLiteral("offscreen:configfile=") + config, QStringLiteral("2"));
    const auto rect = [&](const char* name) {
        const QJsonArray r = placed[QLatin1String(name)].toArray();
        return QRect(r[0].toInt(), r[1].toInt(), r[2].toInt(), r[3].toInt());
    };
    ASSERT_EQ(rect("available"), QRect(0, 0, 800, 500));
    EXPECT_TRUE(rect("available").contains(rect("frame"))) << rect("frame").x() << "," << rect("frame").y() << " "
                                                          << rect("frame").width() << "x" << rect("frame").height();
    for (const char* control : {"button", "firstBox", "secondBox"}) {
        SCOPED_TRACE(control);
        EXPECT_TRUE(rect("frame").contains(rect(control)));
        EXPECT_GE(rect(control).height(), 25);
    }
}
