// Behaviour that shows only across processes: what a restart finds, and what
// the real application object does with a failure during a user action.

#include "plan/SectionCatalogue.h"
#include "ui/controls/LineBox.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/FakePlatform.h"
#include "ui/MainWindow.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

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

} // namespace

TEST(Restart, ACompanyNameTypedInTheWindowIsBackAtTheNextStart)
{
    // This process's own settings folder; the probe inherits it.
    quillora::testing::FakePlatform fake;
    QTemporaryDir programFolder;
    fake.environment.program = programFolder.path();
    {
        MainWindow window(fake.platform, BuilderHooks{[] {}, [] { return false; }, [](const GenerationProgress&) {}});
        window.startUp();
        window.productNameField->setText(QString());
        QTest::keyClicks(window.productNameField, QStringLiteral("Harbour Lights Coffee"));
    }
    const QJsonObject next = runProbe({QStringLiteral("start")});
    EXPECT_EQ(next[QStringLiteral("productName")].toString(), QStringLiteral("Harbour Lights Coffee"));
    EXPECT_EQ(next[QStringLiteral("first")].toString(), findSection(Strip::First, 4)->hint());
}

TEST(SafetyNet, ARefusedWriteWhileTypingIsShownAndTheProgramKeepsItsText)
{
    // Settings that cannot be written: the application's folder is a file.
    QTemporaryDir configHome;
    QFile blocker(configHome.filePath(QStringLiteral("Tarnvale")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    const QJsonObject out = runProbe({QStringLiteral("type"), QStringLiteral("xy")}, configHome.path());
    // The start-up reports its four writes through its own error report.
    const int startUp = out[QStringLiteral("startUpMessages")].toInt();
    EXPECT_EQ(startUp, 4);
    const QJsonArray messages = out[QStringLiteral("messages")].toArray();
    // Then one box per keystroke and one for the tab choice, under the application title.
    ASSERT_EQ(messages.size(), startUp + 3);
    for (int i = startUp; i < messages.size(); ++i) {
        const QJsonObject m = messages[i].toObject();
        EXPECT_EQ(m[QStringLiteral("title")].toString(), QStringLiteral("Quillora"));
        EXPECT_FALSE(m[QStringLiteral("text")].toString().isEmpty());
        EXPECT_FALSE(m[QStringLiteral("text")].toString().contains(QLatin1String("at line")));
    }
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
