#include "platform/EnchantSpelling.h"
#include "plan/SectionCatalogue.h"
#include "ui/controls/StatementBox.h"
#include "ui/controls/TabStrip.h"
#include "ui/spelling/SpellHighlighter.h"
#include "ui/spelling/Spelling.h"
#include "ui/spelling/SpellingLanguage.h"
#include "ui/spelling/WordSpans.h"
#include "tests/support/InstalledTranslations.h"
#include "tests/support/WindowFixture.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextLayout>

using namespace quillora;
using quillora::testing::WindowFixture;

namespace {

TEST(SpellingWords, LeavesAloneDigitsAddressesAndAbbreviations)
{
    const QString text =
        QStringLiteral("Our plan\u2019s ROI in Q3: mail sales@example.com, see www.example.com, tarnvale.example or https://x.org/a-b now. Done");
    QStringList words;
    for (const WordSpan& span : checkableWords(text)) {
        EXPECT_EQ(text.mid(span.start, span.length).replace(QChar(0x2019), QLatin1Char('\'')), span.word);
        words << span.word;
    }
    EXPECT_EQ(words, QStringList({"Our", "plan's", "in", "mail", "see", "or", "now", "Done"}));
    EXPECT_EQ(checkableWordAt(text, 6)->word, QStringLiteral("plan's"));
    EXPECT_FALSE(checkableWordAt(text, 12)); // inside "ROI"

    const struct {
        const char* text;
        QStringList words;
    } rows[] = {
        {"A I OK x.y .com end. a.b.", {"A", "I", "com", "end"}},
        {"plans' 'tis don't", {"plans", "tis", "don't"}},
        {"caf\u00e9 cafe\u0301 x1 3D Ab", {"caf\u00e9", "cafe\u0301", "Ab"}},
        {"  \t", {}},
        {"a@b (see) [x]y", {"see", "x", "y"}},
    };
    for (const auto& row : rows) {
        QStringList found;
        for (const WordSpan& span : checkableWords(QString::fromUtf8(row.text)))
            found << span.word;
        EXPECT_EQ(found, row.words) << row.text;
    }
    // A word reaches from its first character to just after its last.
    const QString line = QStringLiteral("ab cd");
    EXPECT_EQ(checkableWordAt(line, 2)->word, QStringLiteral("ab"));
    EXPECT_EQ(checkableWordAt(line, 3)->word, QStringLiteral("cd"));
    EXPECT_EQ(checkableWordAt(line, 5)->start, 3);
    EXPECT_FALSE(checkableWordAt(line, 6));
}

TEST(SpellingLanguage, WindowLanguageElseEnglishElseNone)
{
    const struct {
        const char* window;
        QStringList installed;
        const char* chosen;
    } cases[] = {
        {"de_DE", {"en_US", "de_DE"}, "de_DE"},
        {"de_AT", {"en_US", "de_LU", "de_DE"}, "de_DE"},
        {"de_AT", {"en_US", "de"}, "de"},
        {"fr_FR", {"de_DE", "en_GB", "en_US"}, "en_US"},
        {"fr_FR", {"de_DE", "en_GB"}, "en_GB"},
        {"fr_FR", {"de_DE"}, ""},
        {"C", {}, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(chooseDictionary(QLocale(QLatin1String(c.window)), c.installed), QLatin1String(c.chosen)) << c.window;
}

// Checking never looks like typing to the box: no text change is reported,
// neither for a document that has text when checking starts nor when all of
// it is checked again.
TEST(SpellHighlighter, ChecksWithoutReportingAChange)
{
    struct OneWrongWord final : SpellDictionary {
        bool knows(const QString& word) override { return word != QLatin1String("markte"); }
        QStringList suggestions(const QString&, int) override { return {}; }
        void addToPersonalList(const QString&) override {}
        void ignoreWhileRunning(const QString&) override {}
    };
    SpellCheck check(std::make_unique<OneWrongWord>());
    QTextDocument document(QStringLiteral("The markte plan"));
    int changes = 0;
    QObject::connect(&document, &QTextDocument::contentsChanged, [&] { ++changes; });
    SpellHighlighter highlighter(&document, check);
    highlighter.recheckAll();
    QCoreApplication::processEvents();
    EXPECT_EQ(document.begin().layout()->formats().size(), 1);
    EXPECT_EQ(changes, 0);
}

// The window over Enchant with a small Dutch Hunspell dictionary made here
// (Dutch, so no dictionary installed on the machine answers instead), and
// the personal word lists in the same private folder.
class SpellingTest : public WindowFixture {
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        QLocale::setDefault(QLocale(QLocale::Dutch, QLocale::Netherlands));
        qputenv("ENCHANT_CONFIG_DIR", enchantHome.path().toLocal8Bit());
        QDir(enchantHome.path()).mkpath(QStringLiteral("hunspell"));
        write(QStringLiteral("hunspell/nl_NL.aff"), "SET UTF-8\nTRY aeiounrtslmkpdgbcfhjvwyzq\n");
        write(QStringLiteral("hunspell/nl_NL.dic"), "6\nThe\nmarket\nplan\nbudget\nour\nwins\n");
        fake.platform.spelling = &enchant;
    }
    void TearDown() override
    {
        QLocale::setDefault(QLocale::c());
        qunsetenv("ENCHANT_CONFIG_DIR");
    }

    void write(const QString& name, const QByteArray& bytes)
    {
        QFile file(enchantHome.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    // The first box, showing `text` with every paragraph checked.
    StatementBox& boxShowing(const QString& text)
    {
        StatementBox& box = *loadedWindow().firstStatementBox;
        box.setText(text);
        while (window().spelling().checking(box))
            QCoreApplication::processEvents();
        return box;
    }

    static bool underlined(const StatementBox& box, const QString& word)
    {
        const QTextBlock block = box.document()->findBlock(box.document()->find(word).selectionStart());
        const int at = box.document()->find(word).selectionStart() - block.position();
        for (const QTextLayout::FormatRange& range : block.layout()->formats()) {
            if (range.start <= at && at < range.start + range.length)
                return range.format.underlineStyle() == QTextCharFormat::SpellCheckUnderline;
        }
        return false;
    }

    QMenu* menuAt(StatementBox& box, const QString& word)
    {
        QTextCursor at(box.document());
        at.setPosition(box.document()->find(word).selectionStart() + 1);
        return window().spelling().contextMenu(box, at);
    }

    QString firstKey() { return findSection(Strip::First, window().firstSectionTabs->tab())->key(); }

    QTemporaryDir enchantHome;
    EnchantSpelling enchant;
};

TEST_F(SpellingTest, StartUpCheckingStoresNothing)
{
    store->values[QStringLiteral("FirstStatementMkt_4")] = QStringLiteral("The markte plan");
    StatementBox& box = *loadedWindow().firstStatementBox;
    const size_t writes = store->writes.size();
    while (window().spelling().checking(box))
        QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_TRUE(underlined(box, QStringLiteral("markte")));
    EXPECT_EQ(store->writes.size(), writes);
}

TEST_F(SpellingTest, MarksUnknownWordsOnlyAndNamesTheLanguage)
{
    StatementBox& box = boxShowing(QStringLiteral("The markte plan\r\nour budgte wins ROI"));
    EXPECT_TRUE(underlined(box, QStringLiteral("markte")));
    EXPECT_TRUE(underlined(box, QStringLiteral("budgte")));
    EXPECT_FALSE(underlined(box, QStringLiteral("plan")));
    EXPECT_FALSE(underlined(box, QStringLiteral("ROI")));
    EXPECT_EQ(window().spelling().language(), QStringLiteral("nl_NL"));
    EXPECT_EQ(window().spelling().languageAction()->text(), QStringLiteral("Dictionary: Nederlands (Nederland)"));
    EXPECT_FALSE(window().spelling().languageAction()->isEnabled());
    EXPECT_TRUE(fake.messages.shown.empty());
}

// The hints' own words, English and as shown in German, whatever the
// dictionary lacks.
TEST_F(SpellingTest, TheProgramsOwnHintWordsAreNeverMarked)
{
    const quillora::testing::InstalledTranslations german({QStringLiteral("de")});
    StatementBox& box = boxShowing(QStringLiteral("COGs Fulfillment Herstellungskosten markte"));
    for (const char* own : {"COGs", "Fulfillment", "Herstellungskosten"})
        EXPECT_FALSE(underlined(box, QLatin1String(own))) << own;
    EXPECT_TRUE(underlined(box, QStringLiteral("markte")));
}

TEST_F(SpellingTest, SuggestionReplacesTheWordAsOneStoredUndoableEdit)
{
    StatementBox& box = boxShowing(QStringLiteral("The markte plan"));
    std::unique_ptr<QMenu> menu(menuAt(box, QStringLiteral("markte")));
    const QList<QAction*> actions = menu->actions();
    ASSERT_EQ(actions.value(0)->text(), QStringLiteral("market"));
    EXPECT_EQ(actions.value(2)->text(), QStringLiteral("Add to Dictionary"));
    EXPECT_EQ(actions.value(3)->text(), QStringLiteral("Ignore All"));
    EXPECT_GT(actions.size(), 6); // the box's own entries follow

    const size_t writes = store->writes.size();
    // A right-click on the word pops up the same menu.
    QTextCursor word = box.document()->find(QStringLiteral("markte"));
    QContextMenuEvent click(QContextMenuEvent::Mouse, box.cursorRect(word).center());
    QCoreApplication::sendEvent(box.viewport(), &click);
    auto* shown = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->actions().value(0)->text(), QStringLiteral("market"));
    shown->close();

    actions[0]->trigger();
    EXPECT_EQ(store->writes.size(), writes + 1);
    EXPECT_EQ(box.text(), QStringLiteral("The market plan"));
    EXPECT_EQ(store->values[firstKey()], QStringLiteral("The market plan"));
    box.document()->undo();
    EXPECT_EQ(box.text(), QStringLiteral("The markte plan"));
    EXPECT_EQ(store->values[firstKey()], QStringLiteral("The markte plan"));
}

TEST_F(SpellingTest, AddToDictionaryAndIgnoreAllStopTheMarking)
{
    StatementBox& box = boxShowing(QStringLiteral("The markte plan budgte"));
    const size_t loadWrites = store->writes.size();
    std::unique_ptr<QMenu>(menuAt(box, QStringLiteral("markte")))->actions().value(2)->trigger();
    std::unique_ptr<QMenu>(menuAt(box, QStringLiteral("budgte")))->actions().value(3)->trigger();
    EXPECT_FALSE(underlined(box, QStringLiteral("markte")));
    EXPECT_FALSE(underlined(box, QStringLiteral("budgte")));
    EXPECT_EQ(store->writes.size(), 0u + loadWrites);
    QFile personal(enchantHome.filePath(QStringLiteral("nl_NL.dic")));
    ASSERT_TRUE(personal.open(QIODevice::ReadOnly));
    const QByteArray added = personal.readAll();
    EXPECT_TRUE(added.contains("markte"));
    EXPECT_FALSE(added.contains("budgte"));
    // A marked word's menu has only the box's own entries once it is known.
    std::unique_ptr<QMenu> plain(menuAt(box, QStringLiteral("markte")));
    EXPECT_NE(plain->actions().value(0)->text(), QStringLiteral("market"));
}

TEST_F(SpellingTest, CheckSpellingSwitchIsRememberedAndAFailedWriteIsSilent)
{
    StatementBox& box = boxShowing(QStringLiteral("The markte plan"));
    QAction* check = window().spelling().checkSpellingAction();
    EXPECT_TRUE(check->isChecked());
    check->setChecked(false);
    EXPECT_FALSE(underlined(box, QStringLiteral("markte")));
    EXPECT_EQ(store->values[QLatin1String(kSpellingEnabledKey)], QStringLiteral("0"));

    Spelling again(nullptr, store, QLocale());
    EXPECT_FALSE(again.checkSpellingAction()->isChecked());

    store->refuseWrites = true;
    check->setChecked(true);
    EXPECT_TRUE(underlined(box, QStringLiteral("markte")));
    EXPECT_TRUE(fake.messages.shown.empty());
}

TEST_F(SpellingTest, WithoutTheSpellingLibraryNothingIsMarkedAndNothingSaid)
{
    EnchantSpelling missing(QStringLiteral("quillora-no-such-spelling-library"));
    EXPECT_TRUE(missing.languages().isEmpty());
    EXPECT_EQ(missing.open(QStringLiteral("nl_NL")), nullptr);
    fake.platform.spelling = &missing;
    StatementBox& box = boxShowing(QStringLiteral("The markte plan"));
    EXPECT_FALSE(underlined(box, QStringLiteral("markte")));
    EXPECT_TRUE(window().spelling().language().isEmpty());
    std::unique_ptr<QMenu> menu(menuAt(box, QStringLiteral("markte")));
    EXPECT_NE(menu->actions().value(2)->text(), QStringLiteral("Add to Dictionary"));
    EXPECT_TRUE(fake.messages.shown.empty());
}

TEST_F(SpellingTest, LargeSectionIsCheckedOverSeveralTurnsWithoutStoreWrites)
{
    QString text;
    while (text.size() < 100 * 1024)
        text += QStringLiteral("The market plan our budget wins\r\n");
    text += QStringLiteral("markte");
    StatementBox& box = *loadedWindow().firstStatementBox;
    box.setText(text);
    const size_t writes = store->writes.size();
    EXPECT_TRUE(window().spelling().checking(box));
    EXPECT_FALSE(underlined(box, QStringLiteral("markte")));
    int turns = 0;
    while (window().spelling().checking(box) && turns < 1000) {
        QCoreApplication::processEvents();
        ++turns;
    }
    EXPECT_GT(turns, 1);
    EXPECT_TRUE(underlined(box, QStringLiteral("markte")));
    EXPECT_EQ(store->writes.size(), writes);
}

} // namespace
