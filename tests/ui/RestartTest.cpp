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

#include <cerrno>

using namespace quillora;

namespace {

QJsonObject runProbe(const QStringList& args, const QString& configHome = {})
{
    quillora::testing::ChildOptions options;
    options.environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
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
