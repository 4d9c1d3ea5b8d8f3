#include "core/DataFiles.h"
#include "core/FileNames.h"
#include "ui/MainMenu.h"
#include "ui/SlidePreview.h"
#include "ui/controls/LineBox.h"
#include "ui/controls/StatementBox.h"
#include "ui/controls/TabStrip.h"
#include "tests/support/BuiltTemplate.h"
#include "tests/support/TestFiles.h"
#include "tests/support/WindowFixture.h"

#include <QAccessible>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QLabel>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTest>

using namespace quillora;
using quillora::testing::WindowFixture;

namespace {

// A statement of `points` points, each with a sub-point under it.
QString statementOf(int points)
{
    QStringList lines;
    for (int i = 1; i <= points; ++i)
        lines << QStringLiteral("Point %1: reach the buyers who compare offers").arg(i)
              << QStringLiteral("- detail %1 of the point").arg(i);
    return lines.join(QStringLiteral("\r\n"));
}

QString accessibleText(QWidget* widget, QAccessible::Text text)
{
    return QAccessible::queryAccessibleInterface(widget)->text(text);
}

} // namespace

// The window with the shipped template beside the program, where a run finds it.
class SlideFit : public WindowFixture {
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        ASSERT_TRUE(QFile::copy(quillora::testing::builtTemplatePath(), programDir.filePath(QLatin1String(kTemplateFileName))));
    }
    void TearDown() override { QDir(userDataFolder()).removeRecursively(); }

    // Toggled through the View menu, then painted as the screen would.
    SlidePreview& preview()
    {
        window().menu().slidePreview->trigger();
        return repainted();
    }
    SlidePreview& repainted()
    {
        window().slidePreview->grab();
        return *window().slidePreview;
    }
};

struct MeterRow {
    int points;
    const char* line;    // a pattern
    const char* fitWord; // in the preview's description
};

class FitMeterStates : public SlideFit, public ::testing::WithParamInterface<MeterRow> {};

TEST_P(FitMeterStates, TheLineUnderTheBoxAndThePreviewSayHowTheStatementFits)
{
    MainWindow& w = shownWindow();
    w.firstStatementBox->setFocus();
    w.firstStatementBox->setText(statementOf(GetParam().points));
    const QString line = w.firstFitLine->text();
    EXPECT_TRUE(QRegularExpression(QLatin1String(GetParam().line)).match(line).hasMatch()) << line.toStdString();
    EXPECT_EQ(accessibleText(w.firstFitLine, QAccessible::Name), line);
    EXPECT_EQ(accessibleText(w.firstStatementBox, QAccessible::Description), line);
    // The preview of the same section says it in its description.
    SlidePreview& shown = preview();
    EXPECT_EQ(shown.fitLine(), line);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^Slide 6, Communication Strategies: %1 points, %2$")
                                       .arg(GetParam().points)
                                       .arg(QLatin1String(GetParam().fitWord)))
                    .match(shown.description())
                    .hasMatch())
        << shown.description().toStdString();
    QAccessibleInterface* picture = QAccessible::queryAccessibleInterface(w.findChild<QWidget*>(QStringLiteral("SlidePicture")));
    EXPECT_EQ(picture->role(), QAccessible::Graphic);
    EXPECT_EQ(picture->text(QAccessible::Description), shown.description());
}

INSTANTIATE_TEST_SUITE_P(
    ShortLongVeryLong, FitMeterStates,
    ::testing::Values(MeterRow{2, "^Fits its slide$", "fits"},
                      MeterRow{6, "^Shrinks to ([7-9][0-9]) % to fit its slide$", "shrinks to [7-9][0-9] %"},
                      MeterRow{20, "^Too long for its slide: about [0-9]+ lines over at the smallest size$",
                               "about [0-9]+ lines over"}));

TEST_F(SlideFit, TheMeterFollowsTypingAndTheTemplateInUse)
{
    MainWindow& w = shownWindow();
    StatementBox* box = w.firstStatementBox;
    box->setText(statementOf(2));
    EXPECT_EQ(w.firstFitLine->text(), QStringLiteral("Fits its slide"));
    // Typed point by point, it shrinks and then runs over.
    box->moveCursor(QTextCursor::End);
    QStringList seen{w.firstFitLine->text()};
    for (int i = 0; i < 40 && !seen.last().startsWith(QLatin1String("Too long")); ++i) {
        QTest::keyClick(box, Qt::Key_Return);
        QTest::keyClicks(box, QStringLiteral("Another point"));
        if (w.firstFitLine->text() != seen.last())
            seen << w.firstFitLine->text();
    }
    ASSERT_GE(seen.size(), 3) << seen.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(seen[1].startsWith(QLatin1String("Shrinks to "))) << seen[1].toStdString();
    EXPECT_TRUE(seen.last().startsWith(QLatin1String("Too long for its slide: about 1 line over")));

    // A template of the user's own that cannot be read: no line, no message.
    const QString own = userTemplatePath();
    ASSERT_TRUE(QDir().mkpath(QFileInfo(own).absolutePath()));
    quillora::testing::writeFile(own, "not a presentation");
    QApplication::setActiveWindow(nullptr);
    QApplication::setActiveWindow(&w);
    EXPECT_EQ(w.firstFitLine->text(), QString());
    EXPECT_TRUE(fake.messages.shown.empty());
    // Back to the program's own through the File menu: measured again.
    fake.messages.answers = {MessageAnswer::Yes};
    w.menu().useStandardTemplate->trigger();
    EXPECT_EQ(w.firstFitLine->text(), seen.last());
}

TEST_F(SlideFit, ThePreviewFollowsTypingSectionsAndTheTitles)
{
    MainWindow& w = shownWindow();
    w.firstStatementBox->setFocus();
    w.firstStatementBox->setText(statementOf(3));
    SlidePreview& shown = preview();
    EXPECT_EQ(shown.caption(), QStringLiteral("Slide 6, Communication Strategies"));
    EXPECT_EQ(shown.description(), QStringLiteral("Slide 6, Communication Strategies: 3 points, fits"));
    const QImage three = shown.picture();
    ASSERT_FALSE(three.isNull());
    // In the slide's proportions, as wide as the panel's room allows.
    EXPECT_NEAR(double(three.width()) / three.height(), 16.0 / 9.0, 0.02);

    w.firstStatementBox->moveCursor(QTextCursor::End);
    QTest::keyClick(w.firstStatementBox, Qt::Key_Return);
    QTest::keyClicks(w.firstStatementBox, QStringLiteral("A fourth point"));
    EXPECT_EQ(shown.description(), QStringLiteral("Slide 6, Communication Strategies: 4 points, fits"));
    const QImage four = repainted().picture();
    EXPECT_NE(four, three);

    struct {
        std::function<void()> act;
        const char* caption;
    } const steps[] = {
        {[&] { w.firstSectionTabs->setTab(1); }, "Slide 3, Product Definition"},
        {[&] { w.secondStatementBox->setFocus(); }, "Slide 10, Advertising"},
        {[&] { w.productNameField->setFocus(); }, "Slide 1, Title slide"},
        {[&] { QTest::keyClicks(w.productNameField, QStringLiteral("Acme Widget")); }, "Slide 1, Title slide"},
    };
    QList<QImage> pictures{four};
    for (const auto& step : steps) {
        step.act();
        SCOPED_TRACE(step.caption);
        EXPECT_EQ(shown.caption(), QLatin1String(step.caption));
        pictures << repainted().picture();
        EXPECT_FALSE(pictures.last().isNull());
        EXPECT_NE(pictures.last(), pictures[pictures.size() - 2]);
    }
}

TEST_F(SlideFit, ThePreviewSwitchIsOffAtFirstAndRemembered)
{
    MainWindow& w = window();
    const QSize designed = w.size();
    EXPECT_FALSE(w.menu().slidePreview->isChecked());
    EXPECT_TRUE(w.slidePreview->isHidden());
    EXPECT_EQ(w.menu().slidePreview->shortcut(), QKeySequence(Qt::Key_F9));
    w.menu().slidePreview->trigger();
    EXPECT_FALSE(w.slidePreview->isHidden());
    EXPECT_EQ(store->values[QLatin1String(kSlidePreviewKey)], QStringLiteral("1"));
    // The statement boxes keep their width: the window grows by the panel.
    EXPECT_EQ(w.width(), designed.width() + w.slidePreview->sizeHint().width());

    endWindow();
    EXPECT_TRUE(window().menu().slidePreview->isChecked());
    EXPECT_FALSE(window().slidePreview->isHidden());
    window().menu().slidePreview->trigger();
    EXPECT_EQ(window().width(), designed.width());
    EXPECT_EQ(store->values[QLatin1String(kSlidePreviewKey)], QStringLiteral("0"));
}

TEST_F(SlideFit, AroundTheSlideTheDesktopsDarkColoursInsideItTheDecksOwn)
{
    loadedWindow();
    const QImage light = preview().picture();
    ASSERT_FALSE(light.isNull());
    endWindow();
    QPalette dark = QApplication::palette();
    dark.setColor(QPalette::Window, QColor(0x20, 0x20, 0x20));
    dark.setColor(QPalette::WindowText, QColor(0xEE, 0xEE, 0xEE));
    const QPalette before = QApplication::palette();
    QApplication::setPalette(dark);
    const auto restore = qScopeGuard([&] { QApplication::setPalette(before); });
    // The remembered switch shows the preview at once.
    MainWindow& w = loadedWindow();
    EXPECT_EQ(w.slidePreview->palette().color(QPalette::Window), dark.color(QPalette::Window));
    EXPECT_EQ(w.slidePreview->palette().color(QPalette::WindowText), dark.color(QPalette::WindowText));
    EXPECT_EQ(w.palette().color(QPalette::Window), QColor(Qt::white));
    EXPECT_EQ(repainted().picture(), light);
    // Back to the light colours while it runs.
    QApplication::setPalette(before);
    EXPECT_EQ(w.slidePreview->palette().color(QPalette::Window), before.color(QPalette::Window));
}
