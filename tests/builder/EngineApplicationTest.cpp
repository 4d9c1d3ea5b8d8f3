// The engine behind "PowerPoint.Application": the object model over a real
// deck, the window state, and the hand-off of the decks it holds open.

#include "builder/DeckHandOff.h"
#include "builder/PresentationAppChecks.h"
#include "core/AppTitle.h"
#include "tests/builder/EngineTestSupport.h"
#include "tests/support/TestFiles.h"

#include <QDir>

using namespace quillora;
using namespace quillora::automation;
using namespace quillora::testing;

namespace {

QString failureOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const RuntimeError& e) {
        return e.description().isEmpty() ? QStringLiteral("(empty description)") : e.description();
    }
    return QString();
}

} // namespace

TEST_F(EngineFixture, AnswersToItsNameAndRunsOnlyWhileReferenced)
{
    checkPresentationAppInstalled(fake.platform, runtime, {});
    EXPECT_TRUE(fake.exit.statuses.empty());
    EXPECT_FALSE(isPresentationAppRunning(runtime));
    Ref<Application> app = start();
    EXPECT_EQ(app->defaultMember(), QStringLiteral("Microsoft PowerPoint"));
    EXPECT_TRUE(isPresentationAppRunning(runtime));
    app.release();
    EXPECT_FALSE(isPresentationAppRunning(runtime));
}

TEST_F(EngineFixture, FailuresArriveWithADescription)
{
    Ref<Application> app = start();
    EXPECT_FALSE(failureOf([&] { app->presentations()->open(folder.path() + QStringLiteral("/missing.ppt")); }).isEmpty());
    Ref<Presentation> deck = app->presentations()->open(deckPath);
    // Worded as the object model words them.
    EXPECT_EQ(failureOf([&] { deck->slides()->item(0); }), QLatin1String(kValueOutOfRange));
    EXPECT_EQ(failureOf([&] { deck->slides()->item(99); }), QLatin1String(kValueOutOfRange));
    EXPECT_EQ(failureOf([&] { deck->slides()->item(2)->shapes()->item(QStringLiteral("No such shape")); }),
              QStringLiteral("Item No such shape not found in the Shapes collection."));
    Ref<TextRange> text = deck->slides()->item(3)->shapes()->item(QStringLiteral("Rectangle 3"))->textFrame()->textRange();
    EXPECT_EQ(failureOf([&] { text->characters(0, 1); }), QLatin1String(kValueOutOfRange));
    EXPECT_EQ(failureOf([&] { text->paragraphFormat()->bullet()->setVisible(1); }), QLatin1String(kValueOutOfRange));
    EXPECT_EQ(failureOf([&] { text->paragraphFormat()->bullet()->setType(7); }), QLatin1String(kValueOutOfRange));
    EXPECT_EQ(failureOf([&] { text->font()->setSize(0.0f); }), QLatin1String(kValueOutOfRange));
    EXPECT_TRUE(failureOf([&] { deck->slides()->item(2)->shapes()->item(QStringLiteral("Rectangle 98")); }).isEmpty());
    EXPECT_TRUE(failureOf([&] { deck->slides()->item(1)->shapes()->item(2)->textFrame()->textRange(); }).isEmpty());
}

TEST_F(EngineFixture, SubRangesAreClippedToTheTextAsItIsNow)
{
    Ref<Application> app = start();
    Ref<TextRange> whole = app->presentations()->open(deckPath)->slides()->item(1)->shapes()->item(1)->textFrame()->textRange();
    whole->setText(QStringLiteral("hello"));
    // Past the end: the last character; an omitted length: one; lengths clipped.
    const struct {
        int start, length;
        const char* text;
    } rows[] = {{2, 3, "ell"}, {9, 4, "o"}, {4, -1, "l"}, {3, 99, "llo"}};
    for (const auto& row : rows)
        EXPECT_EQ(whole->characters(row.start, row.length)->text(), QLatin1String(row.text)) << row.start << "," << row.length;

    // The whole range follows the text; a sub-range never points past it.
    Ref<TextRange> sub = whole->characters(4, 2);
    whole->setText(QStringLiteral("hi"));
    EXPECT_EQ(sub->text(), QString());
    sub->setText(QStringLiteral("!"));
    EXPECT_EQ(whole->text(), QStringLiteral("hi!"));
    whole->setText(QString());
    EXPECT_EQ(whole->characters(3, -1)->text(), QString());
}

TEST_F(EngineFixture, KeepsTheSelectionAWindowWouldHave)
{
    Ref<Application> app = start();
    // With nothing open the window's selection can still be cleared.
    EXPECT_TRUE(failureOf([&] { app->activeWindow()->selection()->unselect(); }).isEmpty());
    EXPECT_EQ(engineWindowState(app).activePath, QString());

    Ref<Presentation> deck = app->presentations()->open(deckPath);
    EXPECT_EQ(engineWindowState(app).activePath, deckPath);
    // A text range leads back to its slide through its frame and shape.
    Ref<TextRange> range = deck->slides()->item(4)->shapes()->item(QStringLiteral("Rectangle 18"))->textFrame()->textRange();
    range->parent()->parent()->parent()->select();
    EXPECT_EQ(engineWindowState(app).selectedSlide, 4);
    app->activeWindow()->selection()->unselect();
    EXPECT_EQ(engineWindowState(app).selectedSlide, 0);
    deck->slides()->item(1)->select();
    EXPECT_EQ(engineWindowState(app).selectedSlide, 1);
}

TEST_F(EngineFixture, AVisibleApplicationsDecksStayOpenUntilHandedToTheDesktop)
{
    const QByteArray before = readFile(deckPath);
    Ref<Application> app = start();
    app->setVisible(true);
    Ref<Presentation> deck = app->presentations()->open(deckPath);
    deck->slides()->item(1)->shapes()->item(1)->textFrame()->textRange()->setText(QStringLiteral("Written by the test"));
    app.release();
    deck.release();
    // Released like an office's documents: still open, nothing written yet.
    EXPECT_EQ(engine.openDeckPaths(), QStringList(deckPath));
    EXPECT_EQ(readFile(deckPath), before);
    EXPECT_TRUE(fake.desktop.files.isEmpty());

    const auto written = handOffToDesktop(engine, fake.platform);
    ASSERT_EQ(written.size(), 1u);
    EXPECT_EQ(written[0].path, deckPath);
    EXPECT_TRUE(written[0].error.isEmpty());
    EXPECT_TRUE(engine.openDeckPaths().isEmpty());
    EXPECT_EQ(fake.desktop.files, QStringList(deckPath));
    EXPECT_TRUE(fake.messages.shown.empty());
    const SavedDeck saved = EngineFixture::saved(deckPath);
    ASSERT_GE(saved.slides.size(), 1u);
    EXPECT_EQ(saved.slides[0].shapes.at(0).text(), QStringLiteral("Written by the test"));
}

TEST_F(EngineFixture, WhenNothingOpensTheDeckOneMessageSaysWhereItIs)
{
    setApplicationTitle(QStringLiteral("Acme"));
    fake.desktop.fileResult = false;
    {
        Ref<Application> app = start();
        app->setVisible(true);
        app->presentations()->open(deckPath);
    }
    handOffToDesktop(engine, fake.platform);
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    const auto& shown = fake.messages.shown[0];
    EXPECT_EQ(shown.title, QStringLiteral("Acme"));
    EXPECT_TRUE(shown.text.contains(QDir::toNativeSeparators(deckPath))) << shown.text.toStdString();
    EXPECT_EQ(shown.icon, MessageIcon::None);
    EXPECT_EQ(shown.buttons, MessageButtons::Ok);
}

TEST_F(EngineFixture, AnInvisibleApplicationWritesNothing)
{
    const QByteArray before = readFile(deckPath);
    {
        Ref<Application> app = start();
        Ref<Presentation> deck = app->presentations()->open(deckPath);
        deck->slides()->item(1)->shapes()->item(1)->textFrame()->textRange()->setText(QStringLiteral("discarded"));
    }
    EXPECT_TRUE(handOffToDesktop(engine, fake.platform).empty());
    EXPECT_TRUE(fake.desktop.files.isEmpty());
    EXPECT_TRUE(fake.messages.shown.empty());
    EXPECT_EQ(readFile(deckPath), before);
}

TEST_F(EngineFixture, ADeckThatCannotBeWrittenBackIsReportedNotLost)
{
    QTemporaryDir gone;
    const QString path = gone.path() + QStringLiteral("/deck.pptx");
    ASSERT_TRUE(QFile::copy(realTemplate(), path));
    {
        Ref<Application> app = start();
        app->setVisible(true);
        app->presentations()->open(path);
        ASSERT_TRUE(gone.remove());
    }
    handOffToDesktop(engine, fake.platform);
    EXPECT_TRUE(fake.desktop.files.isEmpty());
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_TRUE(fake.messages.shown[0].text.startsWith(QStringLiteral("The presentation could not be written")));
    EXPECT_TRUE(fake.messages.shown[0].text.contains(QDir::toNativeSeparators(path)));
}
