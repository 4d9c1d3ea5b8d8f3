#include "ui/spelling/SpellHighlighter.h"
#include "ui/spelling/SpellCheck.h"
#include "ui/spelling/WordSpans.h"

#include <QSignalBlocker>
#include <QTextDocument>

namespace quillora {
namespace {

// A paragraph's state: checked, or waiting for a later turn. Qt goes on to
// the next paragraph whenever one's state changes, so checking a pending
// paragraph carries on through the pending ones after it.
enum BlockState { kChecked = 0, kPending = 1 };

QTextCharFormat misspelledFormat()
{
    QTextCharFormat format;
    format.setUnderlineStyle(QTextCharFormat::SpellCheckUnderline);
    format.setUnderlineColor(Qt::red);
    return format;
}

} // namespace

SpellHighlighter::SpellHighlighter(QTextDocument* document, SpellCheck& check)
    : QSyntaxHighlighter(document), m_check(check)
{
    m_turn.setSingleShot(true);
    m_turn.setInterval(0);
    connect(&m_turn, &QTimer::timeout, this, &SpellHighlighter::nextTurn);
    // Qt would check a document that already has text in a later turn and
    // report that as a change of the text: check it now, quietly.
    if (!document->isEmpty())
        recheckAll();
}

bool SpellHighlighter::checking() const
{
    if (!document())
        return false;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        if (block.userState() == kPending)
            return true;
    }
    return false;
}

void SpellHighlighter::highlightBlock(const QString& text)
{
    setCurrentBlockState(kChecked);
    if (!m_check.marking())
        return;
    if (m_wordsThisTurn >= kWordsPerTurn) {
        setCurrentBlockState(kPending);
        return;
    }
    if (!m_turn.isActive())
        m_turn.start();
    static const QTextCharFormat misspelled = misspelledFormat();
    const QList<WordSpan> words = checkableWords(text);
    m_wordsThisTurn += int(words.size()) + 1;
    for (const WordSpan& span : words) {
        if (m_check.isMisspelled(span.word))
            setFormat(int(span.start), int(span.length), misspelled);
    }
}

template <class Rehighlight>
void SpellHighlighter::quietly(Rehighlight&& rehighlight)
{
    const QSignalBlocker quiet(document());
    rehighlight();
}

void SpellHighlighter::recheckAll()
{
    m_wordsThisTurn = 0;
    quietly([this] { rehighlight(); });
}

void SpellHighlighter::nextTurn()
{
    m_wordsThisTurn = 0;
    if (!document())
        return;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        if (block.userState() == kPending) {
            quietly([&] { rehighlightBlock(block); });
            return;
        }
    }
}

} // namespace quillora
