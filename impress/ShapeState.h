#pragma once
// What the plugin keeps of one shape's text between calls. Every call over
// the pipe is a round trip to the office, so the shape has one cursor, made
// once and moved as little as it can be: the state remembers the cursor's
// selection (Impress positions of the text as it is now) and reaches the
// next one in at most two moves. It also keeps the text as the automation
// model shows it, read from Impress only when first wanted (a shape the
// writer clears first never needs reading), and which bullet kind each
// paragraph was given since the text last changed.
//
// Impress's cursor moves from the end of its selection: goRight(n) moves
// the end n on, goLeft(n) puts the start n before the end; without
// expanding, either then collapses at the position reached. Inserting text
// selects what was inserted.

#include "impress/ShapeText.h"

#include <QString>
#include <QtGlobal>
#include <functional>
#include <map>
#include <memory>

namespace quillora::impress {

// The moves of Impress's text cursor the state makes; a count moves at
// most 32767 positions.
class CursorMoves {
public:
    virtual ~CursorMoves() = default;
    virtual void gotoStart(bool expand) = 0;
    virtual void gotoEnd(bool expand) = 0;
    virtual void goLeft(qint16 count, bool expand) = 0;
    virtual void goRight(qint16 count, bool expand) = 0;
    virtual void collapseToStart() = 0;
    virtual void collapseToEnd() = 0;
};

enum class BulletKind { None, Character, Number };

class ShapeState {
public:
    // readText gives the shape's text as Impress has it: "\n" between
    // paragraphs and for a line break alike.
    ShapeState(std::unique_ptr<CursorMoves> cursor, std::function<QString()> readText);

    // The shape's text, read when first wanted.
    ShapeText& model();
    bool modelRead() const { return m_modelRead; }
    // The model after the whole text was replaced by `text`.
    void replacedAll(const QString& text);

    // Selects the whole text, whatever it holds.
    void selectAll();
    // Selects Impress positions from..to. Positions are the model's: call
    // before the model takes a change.
    void select(int from, int to);
    // The cursor collapsed at position `at`, counted from the start.
    void place(int at);
    // Call forget() before an insertion, and inserted() after it returned.
    void forget() { m_known = false; }
    void inserted(int length);

    // The kind each paragraph was given since the text last changed.
    std::map<int, BulletKind> bullets;

private:
    void moveEnd(int delta);
    void extendStart(int count);

    std::unique_ptr<CursorMoves> m_cursor;
    std::function<QString()> m_readText;
    ShapeText m_model;
    bool m_modelRead = false;
    bool m_known = false; // a call that fails on the way leaves the cursor somewhere unknown
    int m_start = 0, m_end = 0;
};

} // namespace quillora::impress
