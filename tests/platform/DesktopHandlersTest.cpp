#include "platform/DesktopHandlers.h"
#include "platform/SystemPlatform.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

using namespace quillora;

namespace {

// Puts a stand-in `xdg-mime` first on PATH for the life of the fixture.
class FakeXdgMime : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_bin.isValid());
        m_savedPath = qgetenv("PATH");
        qputenv("PATH", m_bin.path().toLocal8Bit());
        m_deck = m_bin.filePath(QStringLiteral("marketing_plan_temp.ppt"));
        quillora::testing::writeFile(m_deck, QByteArray());
    }
    void TearDown() override { qputenv("PATH", m_savedPath); }

    // body runs with "$1 $2" being e.g. "query default".
    void install(const QByteArray& body)
    {
        const QString script = m_bin.filePath(QStringLiteral("xdg-mime"));
        quillora::testing::writeFile(script, "#!/bin/sh\n" + body);
        QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    QTemporaryDir m_bin;
    QByteArray m_savedPath;
    QString m_deck;
};

const QByteArray kKnownType = "if [ \"$2\" = filetype ]; then echo application/vnd.ms-powerpoint; exit 0; fi\n";

} // namespace

TEST_F(FakeXdgMime, NoDefaultApplicationMeansNothingCanOpenTheDeck)
{
    install(kKnownType + "exit 0\n");
    EXPECT_EQ(desktopHasHandlerFor(m_deck), HandlerAnswer::No);
    // The real desktop door then reports failure, so the caller can say
    // where the deck was written instead of handing it to no one.
    EXPECT_FALSE(systemPlatform().desktop->openFile(m_deck));
}

TEST_F(FakeXdgMime, ADefaultApplicationMeansYes)
{
    install(kKnownType + "[ \"$3\" = application/vnd.ms-powerpoint ] && echo libreoffice-impress.desktop\nexit 0\n");
    EXPECT_EQ(desktopHasHandlerFor(m_deck), HandlerAnswer::Yes);
}

TEST_F(FakeXdgMime, WhenTheDatabaseCannotTellTheAnswerIsUnknown)
{
    install("exit 4\n");
    EXPECT_EQ(desktopHasHandlerFor(m_deck), HandlerAnswer::Unknown);
    install("exit 0\n"); // no file type at all
    EXPECT_EQ(desktopHasHandlerFor(m_deck), HandlerAnswer::Unknown);
    install(kKnownType + "exit 3\n"); // the default lookup fails
    EXPECT_EQ(desktopHasHandlerFor(m_deck), HandlerAnswer::Unknown);
}

TEST_F(FakeXdgMime, WithoutXdgMimeTheAnswerIsUnknown)
{
    EXPECT_EQ(desktopHasHandlerFor(m_deck), HandlerAnswer::Unknown);
}
