#include "ui/spelling/Spelling.h"
#include "plan/PlanStore.h"
#include "plan/SectionCatalogue.h"
#include "ui/RememberedSwitch.h"
#include "ui/controls/StatementBox.h"
#include "ui/spelling/SpellHighlighter.h"
#include "ui/spelling/SpellingLanguage.h"
#include "ui/spelling/WordSpans.h"

#include <QAction>
#include <QLocale>
#include <QMenu>
#include <QTextBlock>
#include <QThread>

#include <utility>

namespace quillora {
namespace {

// Every word of the hints, as shown and as written in English (a hint is
// stored in the language it was shown in): the program never marks the text
// it put there itself, such as "COGs", whatever the dictionary lacks.
QSet<QString> hintWords()
{
    QSet<QString> words;
    for (const Section& section : allSections()) {
        for (const QString& hint : {section.hint(), section.shownHint()}) {
            for (const QString& line : hint.split(QStringLiteral("\r\n"))) {
                for (const WordSpan& span : checkableWords(line))
                    words.insert(span.word);
            }
        }
    }
    return words;
}

// The marked word at a text position, with a cursor that selects it.
struct MarkedWord {
    QString word;
    QTextCursor selection;
};

std::optional<MarkedWord> markedWordAt(SpellCheck& check, const QTextCursor& at)
{
    const QTextBlock block = at.block();
    const std::optional<WordSpan> span = checkableWordAt(block.text(), at.positionInBlock());
    if (!span || !check.isMisspelled(span->word))
        return std::nullopt;
    QTextCursor selection(block);
    selection.setPosition(block.position() + int(span->start));
    selection.setPosition(block.position() + int(span->start + span->length), QTextCursor::KeepAnchor);
    return MarkedWord{span->word, selection};
}

} // namespace

Spelling::Spelling(SpellDictionaries* dictionaries, PlanStore& store, const QLocale& windowLanguage, QObject* parent)
    : QObject(parent), m_store(store), m_check(nullptr), m_dictionaries(dictionaries), m_windowLanguage(windowLanguage)
{
    m_check.setEnabled(rememberedSwitch(m_store, QLatin1String(kSpellingEnabledKey), true));
    m_check.setOwnWords(hintWords());

    m_checkAction = new QAction(tr("Check Spelling"), this);
    m_checkAction->setCheckable(true);
    m_checkAction->setChecked(m_check.enabled());
    connect(m_checkAction, &QAction::toggled, this, &Spelling::setMarking);

    m_languageAction = new QAction(tr("No dictionary installed"), this);
    m_languageAction->setEnabled(false);
}

void Spelling::openDictionary()
{
    // Once: a second call finds nothing left to open.
    SpellDictionaries* dictionaries = std::exchange(m_dictionaries, nullptr);
    if (!dictionaries)
        return;
    // Opening a dictionary loads the spelling library and its providers and
    // reads the dictionary whole (the German one takes about 80 ms), so it
    // is opened on a thread of its own; marking begins once it is there.
    // Nothing else uses the dictionaries meanwhile.
    m_opening = QThread::create([this, dictionaries, windowLanguage = m_windowLanguage] {
        m_openedLanguage = chooseDictionary(windowLanguage, dictionaries->languages());
        if (!m_openedLanguage.isEmpty())
            m_opened = dictionaries->open(m_openedLanguage);
    });
    connect(m_opening, &QThread::finished, this, &Spelling::useOpenedDictionary);
    m_opening->start();
}

Spelling::~Spelling()
{
    if (m_opening) {
        m_opening->wait();
        delete m_opening;
    }
}

void Spelling::useOpenedDictionary()
{
    m_opening->wait();
    delete std::exchange(m_opening, nullptr);
    if (!m_opened)
        return;
    m_language = m_openedLanguage;
    m_languageAction->setText(tr("Dictionary: %1").arg(dictionaryLanguageName(m_language)));
    m_check.setDictionary(std::move(m_opened));
    rehighlightAll();
}

void Spelling::attach(StatementBox& box)
{
    auto* highlighter = new SpellHighlighter(box.document(), m_check);
    // Goes with the dictionary it checks against, not with the document.
    highlighter->setParent(this);
    m_highlighters << highlighter;
    box.setContextMenuBuilder([this, &box](const QTextCursor& at) { return contextMenu(box, at); });
}

bool Spelling::checking(const StatementBox& box) const
{
    if (m_opening)
        return true;
    const SpellHighlighter* highlighter = highlighterOf(box);
    return highlighter && highlighter->checking();
}

SpellHighlighter* Spelling::highlighterOf(const StatementBox& box) const
{
    for (SpellHighlighter* highlighter : m_highlighters) {
        if (highlighter->document() == box.document())
            return highlighter;
    }
    return nullptr;
}

void Spelling::setMarking(bool on)
{
    if (on == m_check.enabled())
        return;
    m_check.setEnabled(on);
    rememberSwitch(m_store, QLatin1String(kSpellingEnabledKey), on);
    rehighlightAll();
}

void Spelling::rehighlightAll()
{
    for (SpellHighlighter* highlighter : m_highlighters)
        highlighter->recheckAll();
}

QMenu* Spelling::contextMenu(StatementBox& box, const QTextCursor& at)
{
    QMenu* menu = box.createStandardContextMenu();
    const std::optional<MarkedWord> marked = markedWordAt(m_check, at);
    if (!marked)
        return menu;

    QAction* const standardFirst = menu->actions().value(0);
    const QStringList suggestions = m_check.suggestions(marked->word);
    for (const QString& suggestion : suggestions) {
        auto* choose = new QAction(suggestion, menu);
        connect(choose, &QAction::triggered, &box, [selection = marked->selection, suggestion]() mutable {
            // One edit block: one undo step, one change for the store.
            selection.beginEditBlock();
            selection.insertText(suggestion);
            selection.endEditBlock();
        });
        menu->insertAction(standardFirst, choose);
    }
    if (suggestions.isEmpty()) {
        auto* none = new QAction(tr("No Suggestions"), menu);
        none->setEnabled(false);
        menu->insertAction(standardFirst, none);
    }
    menu->insertSeparator(standardFirst);
    auto* add = new QAction(tr("Add to Dictionary"), menu);
    connect(add, &QAction::triggered, this, [this, word = marked->word] {
        m_check.addToDictionary(word);
        rehighlightAll();
    });
    auto* ignore = new QAction(tr("Ignore All"), menu);
    connect(ignore, &QAction::triggered, this, [this, word = marked->word] {
        m_check.ignoreAll(word);
        rehighlightAll();
    });
    menu->insertAction(standardFirst, add);
    menu->insertAction(standardFirst, ignore);
    menu->insertSeparator(standardFirst);
    return menu;
}

} // namespace quillora
