#pragma once
// One paragraph's lines as Qt's text layout breaks them, and a cache of
// them: the layouter asks again for every scale and every keystroke, and
// only a paragraph whose text, fonts or widths changed is laid out anew.
// Everything a paragraph's breaks depend on is in its key, so asking costs
// building that key and one lookup.

#include "layout/TextStyle.h"

#include <QHash>
#include <QString>

#include <vector>

namespace quillora::layout {

struct ParagraphRun {
    int start = 0; // in the paragraph's text
    int length = 0;
    const RunStyle* style = nullptr;
    double size = 0; // points, scale applied
};

// A paragraph ready to be broken into lines. Lengths in points from the
// text area's left edge.
struct ParagraphToBreak {
    QString text;
    std::vector<ParagraphRun> runs;
    double firstStart = 0; // where the first line's text starts
    double restStart = 0;  // where wrapped lines start
    double width = 0;      // the text area's width
    bool wrap = true;
    std::vector<double> tabStops; // ascending; the default grid goes on after them
    double defaultTab = 72;

    QString key() const;
};

struct BrokenSegment {
    int run = 0; // index into ParagraphToBreak::runs
    int start = 0;
    int length = 0;
    double x = 0;
    double width = 0;
};

struct BrokenLine {
    int start = 0;
    int length = 0;
    double x = 0;     // where it starts
    double width = 0; // its text's natural width
    std::vector<BrokenSegment> segments; // runs of text between tabs
};

// A run's font in a few characters, for keys.
QString fontKey(const RunStyle& style, double size);

class ParagraphLineCache {
public:
    const std::vector<BrokenLine>& linesOf(const ParagraphToBreak& paragraph);
    // The advance of a bullet's text in its font.
    double advance(const QString& text, const RunStyle& style, double size);
    // After each layout of a whole text: lines no longer asked for go once
    // there are many more than the text needs for a few scales.
    void endLayout(size_t paragraphCount);

private:
    struct Entry {
        std::vector<BrokenLine> lines;
        quint64 lastUse = 0;
    };
    QHash<QString, Entry> m_paragraphs;
    QHash<QString, double> m_advances;
    quint64 m_layout = 0;
};

} // namespace quillora::layout
