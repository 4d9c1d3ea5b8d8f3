#include "layout/ParagraphLines.h"

#include "layout/Fonts.h"

#include <QFontMetricsF>
#include <QTextLayout>

#include <algorithm>
#include <cstring>
#include <iterator>

namespace quillora::layout {
namespace {

// A width Qt can break lines in, however narrow the box (points), and the
// widest it takes (pixels, well inside its fixed-point range): an unwrapped
// paragraph's.
constexpr double kNarrowest = 1.0;
constexpr double kWidest = 4e6;
// Default tab stops laid out explicitly; beyond them Qt's own grid goes on.
constexpr int kDefaultTabStops = 64;

double px(double points)
{
    return points * kPixelsPerPoint;
}

double pt(double pixels)
{
    return pixels / kPixelsPerPoint;
}

// Qt measures tabs from where the line starts; the paragraph's stops and
// default grid are measured from the text area's left edge.
QList<QTextOption::Tab> tabsFrom(const ParagraphToBreak& paragraph)
{
    std::vector<double> stops = paragraph.tabStops;
    for (int k = 1; k <= kDefaultTabStops; ++k)
        stops.push_back(k * paragraph.defaultTab);
    std::sort(stops.begin(), stops.end());
    QList<QTextOption::Tab> tabs;
    for (double stop : stops) {
        if (stop > paragraph.firstStart)
            tabs.append(QTextOption::Tab(px(stop - paragraph.firstStart), QTextOption::LeftTab));
    }
    return tabs;
}

std::vector<BrokenLine> breakLines(const ParagraphToBreak& paragraph)
{
    if (paragraph.text.isEmpty())
        return {BrokenLine{0, 0, paragraph.firstStart, 0, {}}};
    const ParagraphRun& first = paragraph.runs.front();
    QTextLayout layout(paragraph.text, layoutFont(*first.style, first.size));
    if (paragraph.runs.size() > 1) {
        QList<QTextLayout::FormatRange> formats;
        for (const ParagraphRun& run : paragraph.runs) {
            QTextLayout::FormatRange range;
            range.start = run.start;
            range.length = run.length;
            range.format.setFont(layoutFont(*run.style, run.size));
            formats.append(range);
        }
        layout.setFormats(formats);
    }
    QTextOption option;
    option.setWrapMode(paragraph.wrap ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
    option.setUseDesignMetrics(true);
    option.setTabs(tabsFrom(paragraph));
    option.setTabStopDistance(px(paragraph.defaultTab));
    layout.setTextOption(option);
    layout.setCacheEnabled(false);

    std::vector<BrokenLine> lines;
    layout.beginLayout();
    for (bool firstLine = true;; firstLine = false) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        const double start = firstLine ? paragraph.firstStart : paragraph.restStart;
        // Tabs are measured from where the line starts, so it is placed first.
        line.setPosition(QPointF(px(start), 0));
        line.setLineWidth(paragraph.wrap ? std::min(px(std::max(kNarrowest, paragraph.width - start)), kWidest) : kWidest);
        BrokenLine broken{line.textStart(), line.textLength(), start, pt(line.naturalTextWidth()), {}};
        const int end = broken.start + broken.length;
        for (size_t r = 0; r < paragraph.runs.size(); ++r) {
            const ParagraphRun& run = paragraph.runs[r];
            const int to = std::min(end, run.start + run.length);
            // A tab only moves the pen: segments hold the text between tabs.
            for (int from = std::max(broken.start, run.start); from < to;) {
                if (paragraph.text[from] == QLatin1Char('\t')) {
                    ++from;
                    continue;
                }
                int stop = from;
                while (stop < to && paragraph.text[stop] != QLatin1Char('\t'))
                    ++stop;
                const double left = line.cursorToX(from);
                broken.segments.push_back({static_cast<int>(r), from, stop - from, pt(left), pt(line.cursorToX(stop) - left)});
                from = stop;
            }
        }
        lines.push_back(std::move(broken));
    }
    layout.endLayout();
    return lines;
}

// A number in a key as its bits: exact, and far cheaper than in decimal.
void appendNumber(QString& key, double number)
{
    char16_t units[sizeof(double) / sizeof(char16_t)];
    std::memcpy(units, &number, sizeof number);
    key.append(reinterpret_cast<const QChar*>(units), std::size(units));
}

void appendFont(QString& key, const RunStyle& style, double size)
{
    key += style.typeface;
    key += QChar(0);
    appendNumber(key, size);
    appendNumber(key, style.letterSpacing);
    key += QChar(u'0' + (style.bold ? 1 : 0) + (style.italic ? 2 : 0) + (style.allCaps ? 4 : 0));
}

} // namespace

QString fontKey(const RunStyle& style, double size)
{
    QString key;
    appendFont(key, style, size);
    return key;
}

QString ParagraphToBreak::key() const
{
    QString key;
    key.reserve(text.size() + 32 * static_cast<qsizetype>(runs.size() + tabStops.size()) + 32);
    key += text;
    key += QChar(0);
    for (const ParagraphRun& run : runs) {
        appendNumber(key, run.length);
        appendFont(key, *run.style, run.size);
    }
    for (double number : {firstStart, restStart, width, defaultTab})
        appendNumber(key, number);
    key += QLatin1Char(wrap ? 'w' : 'n');
    for (double stop : tabStops)
        appendNumber(key, stop);
    return key;
}

const std::vector<BrokenLine>& ParagraphLineCache::linesOf(const ParagraphToBreak& paragraph)
{
    const QString key = paragraph.key();
    auto found = m_paragraphs.find(key);
    if (found == m_paragraphs.end())
        found = m_paragraphs.insert(key, Entry{breakLines(paragraph), 0});
    found->lastUse = m_layout;
    return found->lines;
}

double ParagraphLineCache::advance(const QString& text, const RunStyle& style, double size)
{
    const QString key = fontKey(style, size) + QLatin1Char('|') + text;
    auto found = m_advances.constFind(key);
    if (found == m_advances.constEnd())
        found = m_advances.insert(key, pt(QFontMetricsF(layoutFont(style, size)).horizontalAdvance(text)));
    return *found;
}

void ParagraphLineCache::endLayout(size_t paragraphCount)
{
    ++m_layout;
    if (static_cast<size_t>(m_paragraphs.size()) > std::max<size_t>(4096, 32 * paragraphCount)) {
        for (auto it = m_paragraphs.begin(); it != m_paragraphs.end();)
            it = it->lastUse + 2 < m_layout ? m_paragraphs.erase(it) : std::next(it);
    }
    if (m_advances.size() > 4096)
        m_advances.clear();
}

} // namespace quillora::layout
