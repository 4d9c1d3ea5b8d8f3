#include "layout/TextLayouter.h"

#include "layout/BulletText.h"
#include "layout/Fonts.h"

#include <QFontMetricsF>
#include <QHash>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace quillora::layout {
namespace {

constexpr QChar kLineBreak(0x2028);
// Rounding inside the font engine and the PDF is a hundredth of a point at
// most; a line that reaches that far past the limit still fits.
constexpr double kTolerance = 0.01;
// A width Qt can break lines in, however narrow the box (points), and the
// widest it takes (pixels, well inside its fixed-point range): an unwrapped
// paragraph's.
constexpr double kNarrowest = 1.0;
constexpr double kWidest = 4e6;
// A single-spaced line is 1.2 times its largest font size tall, with the
// baseline one font size below its top, whatever the font: PowerPoint's
// rule, which LibreOffice follows for these decks (measured against its
// PDF: Liberation Sans, Carlito and Caladea alike).
constexpr double kSingleLineShare = 1.2;
constexpr double kAscentShare = 1.0;
// Proportional spacing below single moves the baseline up to no less than
// this share of the reduced line height, as LibreOffice does.
constexpr double kReducedAscentShare = 0.8;
// Put after a hyphen to let a line break there (see breakableAfterHyphens).
constexpr QChar kZeroWidthSpace(0x200B);
// Default tab stops laid out explicitly; beyond them Qt's own grid goes on.
constexpr int kDefaultTabStops = 64;

struct FontRun {
    int start = 0;
    int length = 0;
    const RunStyle* style = nullptr;
    double size = 0; // scale applied
    QFont font;
};

struct BulletMark {
    QString text;
    RunStyle style;
    double size = 0;
    double x = 0;     // from the text area's left edge
    double width = 0;
};

// One paragraph ready for Qt: its text, fonts and where its lines start.
struct PreparedParagraph {
    QString text;
    std::vector<FontRun> runs;
    std::optional<BulletMark> bullet;
    double firstStart = 0; // from the text area's left edge
    double restStart = 0;
    double width = 0;      // the text area's width
    bool wrap = true;
    QList<QTextOption::Tab> tabs; // relative to firstStart, in pixels
    double defaultTab = 72;
    QString key; // everything the line breaks depend on
};

struct CachedSegment {
    int run = 0;
    int start = 0;
    int length = 0;
    double x = 0; // from the text area's left edge
    double width = 0;
};

struct CachedLine {
    int start = 0;
    int length = 0;
    double x = 0;
    double width = 0;
    std::vector<CachedSegment> segments;
};

struct CachedParagraph {
    std::vector<CachedLine> lines;
    quint64 lastUse = 0;
};

double px(double points)
{
    return points * kPixelsPerPoint;
}

double pt(double pixels)
{
    return pixels / kPixelsPerPoint;
}

QString fontKey(const QFont& font)
{
    return font.key() + QLatin1Char('|') + QString::number(font.letterSpacing());
}

// Presentation programs break a line after a hyphen between a word and a
// number ("launch-2027"), where Unicode's line breaking rules keep the two
// together; a zero-width space there gives Qt the same break. `before` is
// the character that precedes the text.
QString breakableAfterHyphens(const QString& text, QChar before)
{
    QString result;
    for (qsizetype i = 0; i < text.size(); ++i) {
        result += text[i];
        const QChar previous = i > 0 ? text[i - 1] : before;
        if (text[i] == QLatin1Char('-') && i + 1 < text.size() && text[i + 1].isDigit() && previous.isLetterOrNumber())
            result += kZeroWidthSpace;
    }
    return result;
}

// The text as the reader sees it: without the layout's own breaks and
// without a trailing line break.
QString shownText(QString text)
{
    text.remove(kZeroWidthSpace);
    while (text.endsWith(kLineBreak))
        text.chop(1);
    return text;
}

double spacingPoints(const Spacing& spacing, double fontSize)
{
    return spacing.unit == Spacing::Unit::Points ? spacing.value : spacing.value * fontSize;
}

} // namespace

double scaledSize(double size, const Scale& scale)
{
    if (scale.fontScale >= 100000)
        return size;
    return std::max(1.0, std::round(size * scale.fontScale / 100000.0));
}

std::vector<Scale> shrinkSteps(const ShapeText& text, int smallestFontScale)
{
    std::vector<Scale> steps{{100000, 0}, {100000, 10000}, {100000, 20000}};
    double largest = 0;
    for (const Paragraph& paragraph : text.paragraphs) {
        largest = std::max(largest, paragraph.endStyle.size);
        for (const Run& run : paragraph.runs)
            largest = std::max(largest, run.style.size);
    }
    const int points = static_cast<int>(std::lround(largest));
    for (int size = points - 1; size >= 1; --size) {
        const int fontScale = static_cast<int>(std::lround(size * 100000.0 / largest));
        if (fontScale < smallestFontScale)
            break;
        steps.push_back({fontScale, 20000});
    }
    return steps;
}

struct TextLayouter::Cache {
    QHash<QString, CachedParagraph> paragraphs;
    QHash<QString, double> bulletWidths;
    quint64 call = 0;

    const CachedParagraph& linesOf(const PreparedParagraph& paragraph);
    void forgetUnused(size_t paragraphCount);
};

namespace {

std::vector<CachedLine> breakLines(const PreparedParagraph& paragraph)
{
    if (paragraph.text.isEmpty())
        return {CachedLine{0, 0, paragraph.firstStart, 0, {}}};
    QTextLayout layout(paragraph.text, paragraph.runs.front().font);
    if (paragraph.runs.size() > 1) {
        QList<QTextLayout::FormatRange> formats;
        for (const FontRun& run : paragraph.runs) {
            QTextLayout::FormatRange range;
            range.start = run.start;
            range.length = run.length;
            range.format.setFont(run.font);
            formats.append(range);
        }
        layout.setFormats(formats);
    }
    QTextOption option;
    option.setWrapMode(paragraph.wrap ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
    option.setUseDesignMetrics(true);
    option.setTabs(paragraph.tabs);
    option.setTabStopDistance(px(paragraph.defaultTab));
    layout.setTextOption(option);
    layout.setCacheEnabled(false);

    std::vector<CachedLine> lines;
    layout.beginLayout();
    for (bool first = true;; first = false) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        const double start = first ? paragraph.firstStart : paragraph.restStart;
        // Tabs are measured from where the line starts, so it is placed first.
        line.setPosition(QPointF(px(start), 0));
        line.setLineWidth(paragraph.wrap ? std::min(px(std::max(kNarrowest, paragraph.width - start)), kWidest) : kWidest);
        CachedLine cached{line.textStart(), line.textLength(), start, pt(line.naturalTextWidth()), {}};
        const int end = cached.start + cached.length;
        for (size_t r = 0; r < paragraph.runs.size(); ++r) {
            const FontRun& run = paragraph.runs[r];
            const int to = std::min(end, run.start + run.length);
            // A tab only moves the pen: segments hold the text between tabs.
            for (int from = std::max(cached.start, run.start); from < to;) {
                if (paragraph.text[from] == QLatin1Char('\t')) {
                    ++from;
                    continue;
                }
                int stop = from;
                while (stop < to && paragraph.text[stop] != QLatin1Char('\t'))
                    ++stop;
                const double left = line.cursorToX(from);
                cached.segments.push_back(
                    {static_cast<int>(r), from, stop - from, pt(left), pt(line.cursorToX(stop) - left)});
                from = stop;
            }
        }
        lines.push_back(std::move(cached));
    }
    layout.endLayout();
    return lines;
}

} // namespace

const CachedParagraph& TextLayouter::Cache::linesOf(const PreparedParagraph& paragraph)
{
    auto found = paragraphs.find(paragraph.key);
    if (found == paragraphs.end())
        found = paragraphs.insert(paragraph.key, CachedParagraph{breakLines(paragraph), 0});
    found->lastUse = call;
    return *found;
}

void TextLayouter::Cache::forgetUnused(size_t paragraphCount)
{
    // Paragraphs of earlier texts go once the cache holds many more than the
    // text in hand needs for a few scales.
    if (static_cast<size_t>(paragraphs.size()) <= std::max<size_t>(4096, 32 * paragraphCount))
        return;
    for (auto it = paragraphs.begin(); it != paragraphs.end();)
        it = it->lastUse + 1 < call ? paragraphs.erase(it) : std::next(it);
    if (bulletWidths.size() > 4096)
        bulletWidths.clear();
}

namespace {

class ParagraphPreparer {
public:
    ParagraphPreparer(const TextFrame& frame, const Scale& scale, QHash<QString, double>& bulletWidths)
        : m_frame(frame), m_scale(scale), m_bulletWidths(bulletWidths)
    {
    }

    PreparedParagraph prepare(const Paragraph& paragraph, std::optional<int> number);

private:
    double bulletWidth(const BulletMark& bullet);
    void addTabs(PreparedParagraph& prepared, const ParagraphStyle& style) const;

    const TextFrame& m_frame;
    Scale m_scale;
    QHash<QString, double>& m_bulletWidths;
};

double ParagraphPreparer::bulletWidth(const BulletMark& bullet)
{
    const QFont font = layoutFont(bullet.style, bullet.size);
    const QString key = fontKey(font) + QLatin1Char('|') + bullet.text;
    auto found = m_bulletWidths.constFind(key);
    if (found == m_bulletWidths.constEnd())
        found = m_bulletWidths.insert(key, pt(QFontMetricsF(font).horizontalAdvance(bullet.text)));
    return *found;
}

void ParagraphPreparer::addTabs(PreparedParagraph& prepared, const ParagraphStyle& style) const
{
    std::vector<double> stops = style.tabStops;
    // A hanging first line tabs to the margin, where the wrapped lines start.
    if (style.indent < 0)
        stops.push_back(style.marginLeft);
    const double grid = std::max(style.defaultTab, 1.0);
    for (int k = 1; k <= kDefaultTabStops; ++k)
        stops.push_back(k * grid);
    std::sort(stops.begin(), stops.end());
    for (double stop : stops) {
        if (stop > prepared.firstStart)
            prepared.tabs.append(QTextOption::Tab(px(stop - prepared.firstStart), QTextOption::LeftTab));
    }
    prepared.defaultTab = grid;
}

PreparedParagraph ParagraphPreparer::prepare(const Paragraph& paragraph, std::optional<int> number)
{
    const ParagraphStyle& style = paragraph.style;
    PreparedParagraph prepared;
    prepared.wrap = m_frame.wrap;
    prepared.width = m_frame.textArea().width();
    for (const Run& run : paragraph.runs) {
        const double size = scaledSize(run.style.size, m_scale);
        const QString text = breakableAfterHyphens(run.text, prepared.text.isEmpty() ? QChar() : prepared.text.back());
        prepared.runs.push_back({static_cast<int>(prepared.text.size()), static_cast<int>(text.size()), &run.style, size,
                                 layoutFont(run.style, size)});
        prepared.text += text;
    }

    const double firstLine = std::max(0.0, style.marginLeft + style.indent);
    prepared.firstStart = firstLine;
    prepared.restStart = style.marginLeft;
    if (style.bullet.kind != Bullet::Kind::None && !prepared.text.isEmpty()) {
        BulletMark bullet;
        bullet.text = style.bullet.kind == Bullet::Kind::Character ? style.bullet.character
                                                                  : autoNumberText(style.bullet.character, number.value_or(1));
        const RunStyle& text = paragraph.runs.front().style;
        bullet.style = text;
        if (style.bullet.typeface)
            bullet.style.typeface = *style.bullet.typeface;
        switch (style.bullet.sizeUnit) {
        case Bullet::SizeUnit::FollowText:
            bullet.size = prepared.runs.front().size;
            break;
        case Bullet::SizeUnit::Share:
            bullet.size = prepared.runs.front().size * style.bullet.size;
            break;
        case Bullet::SizeUnit::Points:
            bullet.size = scaledSize(style.bullet.size, m_scale);
            break;
        }
        bullet.x = firstLine;
        bullet.width = bulletWidth(bullet);
        prepared.firstStart = style.indent < 0 ? std::max(style.marginLeft, firstLine + bullet.width)
                                               : firstLine + bullet.width;
        prepared.bullet = bullet;
    }
    addTabs(prepared, style);

    QString& key = prepared.key;
    key.reserve(prepared.text.size() + 64 * static_cast<qsizetype>(prepared.runs.size()) + 64);
    key += prepared.text;
    key += QChar(0);
    for (const FontRun& run : prepared.runs)
        key += QString::number(run.length) + QLatin1Char(':') + fontKey(run.font) + QLatin1Char(';');
    key += QString::number(prepared.firstStart, 'g', 10) + QLatin1Char(',') + QString::number(prepared.restStart, 'g', 10)
           + QLatin1Char(',') + QString::number(prepared.width, 'g', 10) + QLatin1Char(prepared.wrap ? 'w' : 'n');
    for (const QTextOption::Tab& tab : prepared.tabs)
        key += QLatin1Char(',') + QString::number(tab.position, 'g', 10);
    return prepared;
}

// The numbers of auto-numbered paragraphs: consecutive ones at a level count
// up from their start; anything else at that level starts the count again.
std::vector<std::optional<int>> paragraphNumbers(const std::vector<Paragraph>& paragraphs)
{
    std::vector<std::optional<int>> numbers;
    std::array<int, 9> next{};
    next.fill(0);
    for (const Paragraph& paragraph : paragraphs) {
        const size_t level = static_cast<size_t>(std::clamp(paragraph.level, 0, 8));
        if (paragraph.style.bullet.kind != Bullet::Kind::AutoNumber) {
            next[level] = 0;
            numbers.emplace_back();
            continue;
        }
        if (next[level] == 0)
            next[level] = paragraph.style.bullet.startAt;
        numbers.emplace_back(next[level]++);
        for (size_t deeper = level + 1; deeper < next.size(); ++deeper)
            next[deeper] = 0;
    }
    return numbers;
}

struct LineMetrics {
    double ascent = 0;
    double descent = 0;
};

LineMetrics metricsOf(const PreparedParagraph& prepared, const Paragraph& paragraph, const CachedLine& line,
                      const Scale& scale, bool firstLine)
{
    double size = 0;
    bool any = false;
    for (const FontRun& run : prepared.runs) {
        if (run.start < line.start + std::max(line.length, 1) && run.start + run.length > line.start) {
            size = std::max(size, run.size);
            any = true;
        }
    }
    if (!any)
        size = scaledSize(paragraph.endStyle.size, scale);
    if (firstLine && prepared.bullet)
        size = std::max(size, prepared.bullet->size);
    return {kAscentShare * size, (kSingleLineShare - kAscentShare) * size};
}

// The line's height and where its baseline lies below its top, for the
// paragraph's line spacing less the scale's reduction.
std::pair<double, double> spacedLine(const LineMetrics& metrics, const Spacing& spacing, const Scale& scale)
{
    const double natural = metrics.ascent + metrics.descent;
    const double reduction = scale.lineSpacingReduction / 100000.0;
    if (spacing.unit == Spacing::Unit::Points) {
        const double height = spacing.value * (1.0 - reduction);
        return {height, metrics.ascent + height - natural};
    }
    const double share = std::max(0.0, spacing.value - reduction);
    const double height = natural * share;
    if (share < 1.0)
        return {height, std::min(metrics.ascent, kReducedAscentShare * height)};
    return {height, metrics.ascent + height - natural};
}

} // namespace

TextLayouter::TextLayouter() : m_cache(std::make_unique<Cache>()) {}
TextLayouter::~TextLayouter() = default;

LaidOutText TextLayouter::layOut(const ShapeText& text, std::optional<Scale> scale)
{
    return place(text, scale.value_or(text.frame.storedScale), true);
}

// Lines without their segments are all fitting needs.
LaidOutText TextLayouter::place(const ShapeText& text, const Scale& scale, bool detailed)
{
    requireFontDatabase();
    ++m_cache->call;
    const TextFrame& frame = text.frame;
    const QRectF area = frame.textArea();
    LaidOutText result;
    result.scale = scale;
    result.available = area.height();
    if (frame.autofit == Autofit::ResizeShape && frame.slideSize.height() > area.top())
        result.available = std::max(area.height(), frame.slideSize.height() - area.top() - frame.insets.bottom());

    ParagraphPreparer preparer(frame, scale, m_cache->bulletWidths);
    const std::vector<std::optional<int>> numbers = paragraphNumbers(text.paragraphs);
    double y = 0;
    for (size_t index = 0; index < text.paragraphs.size(); ++index) {
        const Paragraph& paragraph = text.paragraphs[index];
        const PreparedParagraph prepared = preparer.prepare(paragraph, numbers[index]);
        const CachedParagraph& cached = m_cache->linesOf(prepared);
        const double fontSize = prepared.runs.empty() ? scaledSize(paragraph.endStyle.size, scale) : prepared.runs.front().size;
        if (index > 0)
            y += spacingPoints(paragraph.style.spaceBefore, fontSize);
        for (size_t n = 0; n < cached.lines.size(); ++n) {
            const CachedLine& line = cached.lines[n];
            const LineMetrics metrics = metricsOf(prepared, paragraph, line, scale, n == 0);
            const auto [height, ascent] = spacedLine(metrics, paragraph.style.lineSpacing, scale);
            LaidOutLine out;
            out.paragraph = static_cast<int>(index);
            out.top = y;
            out.baseline = y + ascent;
            out.bottom = y + height;
            y = out.bottom;
            if (out.bottom > result.available + kTolerance)
                ++result.linesOver;
            if (!detailed) {
                result.lines.push_back(std::move(out));
                continue;
            }
            const double room = std::max(0.0, area.width() - line.x);
            double shift = 0;
            if (paragraph.style.alignment == Alignment::Center)
                shift = (room - line.width) / 2;
            else if (paragraph.style.alignment == Alignment::Right)
                shift = room - line.width;
            out.text = shownText(prepared.text.mid(line.start, line.length));
            for (const CachedSegment& segment : line.segments) {
                const FontRun& run = prepared.runs[static_cast<size_t>(segment.run)];
                out.segments.push_back({shownText(prepared.text.mid(segment.start, segment.length)), area.left() + segment.x + shift, segment.width, run.font.family(),
                                        run.size, run.style->bold, run.style->italic});
            }
            if (n == 0 && prepared.bullet) {
                const BulletMark& bullet = *prepared.bullet;
                out.bullet = LineSegment{bullet.text, area.left() + bullet.x, bullet.width,
                                         layoutFamily(bullet.style.typeface), bullet.size, bullet.style.bold,
                                         bullet.style.italic};
            }
            result.lines.push_back(std::move(out));
        }
        y += spacingPoints(paragraph.style.spaceAfter, fontSize);
    }
    result.height = result.lines.empty() ? 0 : result.lines.back().bottom;

    double offset = 0;
    if (frame.anchor == Anchor::Middle)
        offset = (area.height() - result.height) / 2;
    else if (frame.anchor == Anchor::Bottom)
        offset = area.height() - result.height;
    for (LaidOutLine& line : result.lines) {
        line.top += area.top() + offset;
        line.baseline += area.top() + offset;
        line.bottom += area.top() + offset;
    }
    m_cache->forgetUnused(text.paragraphs.size());
    return result;
}

FitResult TextLayouter::fit(const ShapeText& text, int smallestFontScale)
{
    const auto measure = [&](const Scale& scale) {
        const LaidOutText laidOut = place(text, scale, false);
        return FitResult{scale, laidOut.fits(), laidOut.linesOver};
    };
    if (text.frame.autofit != Autofit::ShrinkText)
        return measure({});
    const std::vector<Scale> steps = shrinkSteps(text, smallestFontScale);
    const FitResult full = measure(steps.front());
    if (full.fits)
        return full;
    const FitResult smallest = measure(steps.back());
    if (!smallest.fits)
        return smallest;
    // Smaller steps never need more room: the first that fits lies between.
    size_t over = 0;
    size_t fits = steps.size() - 1;
    FitResult found = smallest;
    while (fits - over > 1) {
        const size_t middle = (over + fits) / 2;
        const FitResult tried = measure(steps[middle]);
        if (tried.fits) {
            fits = middle;
            found = tried;
        } else {
            over = middle;
        }
    }
    return found;
}

} // namespace quillora::layout
