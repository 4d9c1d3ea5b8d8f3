#pragma once
// Underlines the words the dictionary does not know in one document, with
// the platform's spelling underline. Qt calls it for the paragraphs that
// changed only. A large change (a 100 KB section loaded) is checked a slice
// per event-loop turn: paragraphs past the slice are marked pending and
// checked on the following turns, so the window keeps answering.

#include <QSyntaxHighlighter>
#include <QTimer>

namespace quillora {

class SpellCheck;

class SpellHighlighter : public QSyntaxHighlighter {
    Q_OBJECT

public:
    // Words checked in one turn of the event loop before the rest waits: a
    // word the dictionary has not been asked about yet costs about 10 µs.
    static constexpr int kWordsPerTurn = 500;

    SpellHighlighter(QTextDocument* document, SpellCheck& check);

    // True while some paragraphs still wait for their check.
    bool checking() const;
    // Checks the whole document again (the dictionary or the switch changed).
    void recheckAll();

protected:
    void highlightBlock(const QString& text) override;

private:
    void nextTurn();
    // Qt reports a re-highlight as a change of the text; the text is the
    // same, so the box must not see it (it would store the text again).
    template <class Rehighlight>
    void quietly(Rehighlight&& rehighlight);

    SpellCheck& m_check;
    int m_wordsThisTurn = 0;
    QTimer m_turn;
};

} // namespace quillora
