#include "core/AppTitle.h"
#include "core/AppTitleRule.h"
#include "core/FileExists.h"
#include "ui/HandCursor.h"
#include "core/RuntimeError.h"
#include "ui/Skin.h"
#include "ui/SkinFramework.h"
#include "ui/WindowPlacement.h"
#include "plan/PlanStore.h"
#include "plan/SettingsFiles.h"
#include "ui/controls/PictureBox.h"
#include "tests/support/TestFiles.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QFileInfo>
#include <QSettings>
#include <QStyle>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quillora;

using quillora::testing::cursorFile;
using quillora::testing::writeFile;

TEST(AppTitle, ANameOfFortyCharactersOrFewerIsKeptWhole)
{
    const QString forty(40, QLatin1Char('a'));
    EXPECT_EQ(shortenedAppTitle(QStringLiteral("Quillora")), QStringLiteral("Quillora"));
    EXPECT_EQ(shortenedAppTitle(forty), forty);
    setTitleFromProductName(QStringLiteral("Quillora"));
    EXPECT_EQ(applicationTitle(), QStringLiteral("Quillora"));
}

TEST(AppTitle, ALongerNameLosesWholeWordsFromItsEnd)
{
    // 50 characters, spaces at positions 38 and 44 (counting from 1): cut to 43, then to 37.
    const QString name = QString(37, QLatin1Char('a')) + QLatin1Char(' ') + QString(5, QLatin1Char('b'))
                       + QLatin1Char(' ') + QString(6, QLatin1Char('c'));
    ASSERT_EQ(name.size(), 50);
    ASSERT_EQ(name.indexOf(QLatin1Char(' ')), 37);
    ASSERT_EQ(name.lastIndexOf(QLatin1Char(' ')), 43);
    EXPECT_EQ(shortenedAppTitle(name), QString(37, QLatin1Char('a')));
    // 44 characters: one word goes and 38 remain.
    EXPECT_EQ(shortenedAppTitle(QString(30, QLatin1Char('x')) + QStringLiteral(" tail of words")),
              QString(30, QLatin1Char('x')) + QStringLiteral(" tail of"));
}

TEST(AppTitle, ANameWithNoSpaceLeftIsCutAtFortyInsteadOfFailing)
{
    EXPECT_EQ(shortenedAppTitle(QString(55, QLatin1Char('z'))), QString(40, QLatin1Char('z')));
    EXPECT_EQ(shortenedAppTitle(QString(45, QLatin1Char('y')) + QStringLiteral(" end")), QString(40, QLatin1Char('y')));
    setTitleFromProductName(QString(45, QLatin1Char('q')));
    EXPECT_EQ(applicationTitle(), QString(40, QLatin1Char('q')));
    setTitleFromProductName(QStringLiteral("Quillora"));
}

TEST(FileExistsTest, FilesAndFoldersExistMissingPathsDoNot)
{
    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("a.txt")), "x");
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("sub")));
    EXPECT_TRUE(fileExists(dir.filePath(QStringLiteral("a.txt"))));
    EXPECT_TRUE(fileExists(dir.filePath(QStringLiteral("sub"))));
    EXPECT_FALSE(fileExists(dir.filePath(QStringLiteral("b.txt"))));
    EXPECT_FALSE(fileExists(dir.filePath(QStringLiteral("missing/folder/a.txt"))));
    EXPECT_FALSE(fileExists(QString()));
}

TEST(HandCursorTest, TheHotspotComesFromTheFileHeader)
{
    EXPECT_EQ(cursorHotspot(cursorFile(32, 32, 6, 1)), QPoint(6, 1));
    EXPECT_EQ(cursorHotspot(cursorFile(32, 32, 0x0102, 0x0304)), QPoint(0x0102, 0x0304));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("HAND-M.CUR"));
    writeFile(path, cursorFile(32, 32, 9, 3));
    const QCursor cursor = loadHandCursor(path);
    EXPECT_EQ(cursor.shape(), Qt::BitmapCursor);
    EXPECT_EQ(cursor.hotSpot(), QPoint(9, 3));
    EXPECT_EQ(cursor.pixmap().size(), QSize(32, 32));
}

TEST(HandCursorTest, TheShippedHandCursorLoadsWithItsFingertipAsHotspot)
{
    const QCursor hand = loadHandCursor(QStringLiteral(QUILLORA_SOURCE_DIR "/resources/cursor/HAND-M.CUR"));
    EXPECT_EQ(hand.hotSpot(), QPoint(5, 0));
    const QImage image = hand.pixmap().toImage();
    ASSERT_EQ(image.size(), QSize(32, 32));
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);           // transparent around the hand
    EXPECT_EQ(QColor(image.pixel(5, 0)), QColor(Qt::black)); // the fingertip's outline
    EXPECT_EQ(QColor(image.pixel(5, 2)), QColor(Qt::white)); // inside the finger
    // And it is beside the program, where the start-up looks for it.
    EXPECT_TRUE(fileExists(QStringLiteral(QUILLORA_BIN_DIR "/HAND-M.CUR")));
}

TEST(HandCursorTest, WhatIsNotACursorFailsWithADescription)
{
    QTemporaryDir dir;
    const QString text = dir.filePath(QStringLiteral("text.cur"));
    writeFile(text, "this is not a cursor at all, only text");
    EXPECT_THROW(loadHandCursor(text), RuntimeError);

    // An icon is not a cursor, and a cursor header with a broken image is not either.
    QByteArray icon = cursorFile(16, 16, 0, 0);
    icon[2] = 1;
    writeFile(text, icon);
    EXPECT_THROW(loadHandCursor(text), RuntimeError);
    writeFile(text, cursorFile(16, 16, 0, 0).left(40));
    EXPECT_THROW(loadHandCursor(text), RuntimeError);

    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("HAND-M.CUR")));
    EXPECT_THROW(loadHandCursor(dir.filePath(QStringLiteral("HAND-M.CUR"))), RuntimeError);
    EXPECT_THROW(loadHandCursor(dir.filePath(QStringLiteral("none.cur"))), RuntimeError);
}

class SkinTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.setObjectName(QStringLiteral("Form1"));
        for (QWidget* w : {static_cast<QWidget*>(frame), static_cast<QWidget*>(picture),
                           static_cast<QWidget*>(label), static_cast<QWidget*>(edit)})
            controls << w;
        ASSERT_TRUE(QDir(program.path()).mkpath(QStringLiteral("x")));
        white(window);
        white(*frame);
    }
    static void white(QWidget& w)
    {
        QPalette p = w.palette();
        p.setColor(QPalette::Window, Qt::white);
        w.setPalette(p);
    }
    QString skinPath() const { return program.filePath(QStringLiteral("x/o.cjs")); }
    QColor face() const { return QApplication::style()->standardPalette().color(QPalette::Button); }

    QTemporaryDir program;
    QWidget window;
    QGroupBox* frame = new QGroupBox(&window);
    PictureBox* picture = new PictureBox(&window);
    QLabel* label = new QLabel(&window);
    QLineEdit* edit = new QLineEdit(&window);
    QList<QWidget*> controls;
    SkinFramework skin;
};

TEST_F(SkinTest, WithoutASkinFileNothingChanges)
{
    applySkin(program.path(), window, controls, skin);
    EXPECT_EQ(window.palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_EQ(frame->palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_FALSE(skin.loaded());
}

TEST_F(SkinTest, AFolderNamedLikeTheSkinFileDoesNotTurnTheSkinOn)
{
    ASSERT_TRUE(QDir(program.path()).mkpath(QStringLiteral("x/o.cjs")));
    EXPECT_NO_THROW(applySkin(program.path(), window, controls, skin));
    EXPECT_EQ(window.palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_FALSE(skin.loaded());
}

TEST_F(SkinTest, ASkinFileColoursTheFramesAndPictureBoxesThenAppliesTheSheet)
{
    const QByteArray sheet = "QPushButton { color: navy; }\n";
    writeFile(skinPath(), sheet);
    applySkin(program.path(), window, controls, skin);
    EXPECT_EQ(window.palette().color(QPalette::Window), face());
    EXPECT_EQ(frame->palette().color(QPalette::Window), face());
    EXPECT_EQ(picture->palette().color(QPalette::Window), face());
    EXPECT_EQ(label->palette().color(QPalette::Window), face());
    EXPECT_FALSE(edit->autoFillBackground());
    EXPECT_TRUE(skin.loaded());
    EXPECT_EQ(window.styleSheet(), QString::fromUtf8(sheet));
}

TEST_F(SkinTest, AnUnreadableSkinFailsAfterTheColoursAndAppliesNothing)
{
    writeFile(skinPath(), QByteArray("\xc3\x28 not text", 10));
    EXPECT_THROW(applySkin(program.path(), window, controls, skin), RuntimeError);
    EXPECT_EQ(window.palette().color(QPalette::Window), face());
    EXPECT_EQ(frame->palette().color(QPalette::Window), face());
    EXPECT_TRUE(window.styleSheet().isEmpty());
    EXPECT_FALSE(skin.loaded());
}

TEST(SkinFrameworkTest, ApplyingWithoutALoadedSkinFails)
{
    SkinFramework skin;
    QWidget window;
    EXPECT_THROW(skin.applyToWindow(window), RuntimeError);
}

TEST(WindowPlacementTest, AWindowIsCutToTheScreenAndMovedWhollyOntoIt)
{
    const QRect screen(0, 0, 800, 500);
    const QMargins frame(2, 30, 2, 2);
    const QSize minimum(760, 430);
    const struct {
        QRect client;
        QRect expected;
    } cases[] = {
        // Fits where it is: unchanged.
        {QRect(10, 40, 770, 440), QRect(10, 40, 770, 440)},
        // Too large (the designed window at scale 2 on 800x500), placed off the top left.
        {QRect(-48, -250, 848, 773), QRect(2, 30, 796, 468)},
        // Off the bottom right: moved back in.
        {QRect(500, 300, 770, 440), QRect(28, 58, 770, 440)},
        // Smaller than the minimum is grown to it.
        {QRect(0, 30, 100, 100), QRect(2, 30, 760, 430)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.client.x());
        EXPECT_EQ(fitOnScreen(c.client, frame, screen, minimum), c.expected);
    }
    // A screen to the right of another keeps the window on itself.
    EXPECT_EQ(fitOnScreen(QRect(1500, 0, 848, 773), QMargins(), QRect(1280, 0, 1280, 720), QSize(760, 430)),
              QRect(1500, 0, 848, 720));
    EXPECT_EQ(centredOnScreen(QSize(600, 400), frame, screen), QRect(100, 64, 600, 400));
}

TEST(WindowPlacementTest, TheGeometryIsKeptInAFileOfItsOwnBesideThePlan)
{
    const QString planFile = planStoreFile();
    const QFileInfo planBefore(planFile);
    SettingsWindowMemory memory;
    memory.saveGeometry(QByteArray("geometry\0bytes", 14));
    EXPECT_EQ(memory.savedGeometry(), QByteArray("geometry\0bytes", 14));
    QSettings window(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tarnvale"),
                     QLatin1String(kWindowSettingsName));
    EXPECT_EQ(window.value(QLatin1String(kWindowGeometryKey)).toByteArray(), QByteArray("geometry\0bytes", 14));
    EXPECT_EQ(QFileInfo(window.fileName()).absolutePath(), QFileInfo(planFile).absolutePath());
    EXPECT_NE(window.fileName(), planFile);
    // The plan's file is never written for it.
    const QFileInfo planAfter(planFile);
    EXPECT_EQ(planAfter.exists(), planBefore.exists());
    EXPECT_EQ(planAfter.lastModified(), planBefore.lastModified());
    window.clear();
}
