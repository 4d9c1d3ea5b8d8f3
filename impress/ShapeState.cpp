#include "impress/ShapeState.h"

#include <QStringList>
#include <algorithm>
#include <vector>

namespace quillora::impress {
namespace {

constexpr int kLongestMove = 32767;

} // namespace

ShapeState::ShapeState(std::unique_ptr<CursorMoves> cursor, std::function<QString()> readText)
    : m_cursor(std::move(cursor)), m_readText(std::move(readText))
{
}

ShapeText& ShapeState::model()
{
    if (!m_modelRead) {
        // A paragraph break and a line break both read as "\n" and both
        // take one position, which is what counts here.
        const QStringList paragraphs = m_readText().split(QLatin1Char('\n'));
        m_model = ShapeText::fromParagraphs(std::vector<QString>(paragraphs.begin(), paragraphs.end()));
        m_modelRead = true;
    }
    return m_model;
}

void ShapeState::replacedAll(const QString& text)
{
    m_model = ShapeText();
    m_model.replace(0, 0, text);
    m_modelRead = true;
}

void ShapeState::selectAll()
{
    m_known = false;
    m_cursor->gotoStart(false);
    m_cursor->gotoEnd(true);
    // The end is not known until the next insertion sets it.
    m_start = 0;
    m_end = -1;
    m_known = true;
}

void ShapeState::select(int from, int to)
{
    const bool known = m_known && m_end >= 0;
    m_known = false;
    if (!known) {
        const int end = model().officePosition(model().length());
        if (to <= end - to) {
            m_cursor->gotoStart(false);
            m_start = m_end = 0;
        } else {
            m_cursor->gotoEnd(false);
            m_start = m_end = end;
        }
    }
    if (m_start == from && m_end == to) {
        // already there
    } else if (from == to && m_start == from) {
        m_cursor->collapseToStart();
        m_end = from;
    } else if (from == to && m_end == from) {
        m_cursor->collapseToEnd();
        m_start = from;
    } else {
        if (m_end != to)
            moveEnd(to - m_end);
        if (from != to)
            extendStart(to - from);
    }
    m_known = true;
}

void ShapeState::place(int at)
{
    m_known = false;
    m_cursor->gotoStart(false);
    m_start = m_end = 0;
    m_known = true;
    select(at, at);
}

void ShapeState::inserted(int length)
{
    m_end = m_start + length;
    m_known = true;
}

// Collapsed at the end moved by delta.
void ShapeState::moveEnd(int delta)
{
    for (int left = delta; left != 0;) {
        const int step = std::clamp(left, -kLongestMove, kLongestMove);
        if (step > 0)
            m_cursor->goRight(static_cast<qint16>(step), false);
        else
            m_cursor->goLeft(static_cast<qint16>(-step), false);
        left -= step;
    }
    m_start = m_end = m_end + delta;
}

// The start put count positions before the end.
void ShapeState::extendStart(int count)
{
    // goLeft counts from the end: only one call can widen to the start.
    if (count > kLongestMove) {
        const int from = m_end - count;
        const int to = m_end;
        moveEnd(from - m_end);
        for (int left = to - from; left > 0; left -= kLongestMove)
            m_cursor->goRight(static_cast<qint16>(std::min(left, kLongestMove)), true);
        m_start = from;
        m_end = to;
        return;
    }
    m_cursor->goLeft(static_cast<qint16>(count), true);
    m_start = m_end - count;
}

} // namespace quillora::impress
