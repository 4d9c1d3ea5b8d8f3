#include "layout/TextLayouter.h"

#include "layout/BulletText.h"
#include "layout/Fonts.h"
#include "layout/ParagraphLines.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace quillora::layout {
namespace {

constexpr QChar kLineBreak(0x2028);
// Put after a hyphen to let a line break there (see breakableAfterHyphens).
constexpr QChar kZeroWidthSpace(0x200B);
// Rounding inside the font engine and the PDF is a hundredth of a point at
// most; a line that reaches that far past the limit still fits.
constexpr double kTolerance = 0.01;
// A single-spaced line is 1.2 times its largest font size tall, with the
// baseline one font size below its top, whatever the font: PowerPoint's
// rule, which LibreOffice follows for these decks (measured against its
// PDF: Liberation Sans, Carlito and Caladea alike).
constexpr double kSingleLineShare = 1.2;
constexpr double kAscentShare = 1.0;
// Proportional spacing below single moves the baseline up to no less than
// this share of the reduced line height, as LibreOffice does.
constexpr double kReducedAscentShare = 0.8;

// Presentation programs break a line after a hyphen between a word and a
// number ("launch-2027"), where Unicode's line breaking rules keep the two
// together; a zero-width space there gives Qt the same break. `before` is
// the character that precedes the text.
QString breakableAfterHyphens(const QString& text, QChar before)
{
    if (!text.contains(QLatin1Char('-')))
        return text;
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

struct BulletMark {
    QString text;
    RunStyle style;
    double size = 0;
    double x = 0; // from the text area's left edge
    double width = 0;
};

// One paragraph ready for its lines: what Qt breaks, and its bullet.
struct PreparedParagraph {
    ParagraphToBreak lines;
    std::optional<BulletMark> bullet;
    double firstSize = 0; // its first run's size, or an empty paragraph's
};

// The numbers of auto-numbered paragraphs: consecutive ones at a level count
// up from their start; anything else at that level starts the count again.
std::vector<std::optional<int>> paragraphNumbers(const std::vector<Paragraph>& paragraphs)
{
    std::vector<std::optional<int>> numbers;
    std::array<int, 9> next{};
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

PreparedParagraph prepare(const Paragraph& paragraph, const TextFrame& frame, const Scale& scale,
                          std::optional<int> number, ParagraphLineCache& cache)
{
    const ParagraphStyle& style = paragraph.style;
    PreparedParagraph prepared;
    ParagraphToBreak& lines = prepared.lines;
    lines.wrap = frame.wrap;
    lines.width = frame.textArea().width();
    for (const Run& run : paragraph.runs) {
        const QString text = breakableAfterHyphens(run.text, lines.text.isEmpty() ? QChar() : lines.text.back());
        lines.runs.push_back({static_cast<int>(lines.text.size()), static_cast<int>(text.size()), &run.style,
                              scaledSize(run.style.size, scale)});
        lines.text += text;
    }
    prepared.firstSize = lines.runs.empty() ? scaledSize(paragraph.endStyle.size, scale) : lines.runs.front().size;

    const double firstLine = std::max(0.0, style.marginLeft + style.indent);
    lines.firstStart = firstLine;
    lines.restStart = style.marginLeft;
    if (style.bullet.kind != Bullet::Kind::None && !lines.text.isEmpty()) {
        BulletMark bullet;
        bullet.text = style.bullet.kind == Bullet::Kind::Character ? style.bullet.character
                                                                  : autoNumberText(style.bullet.character, number.value_or(1));
        bullet.style = paragraph.runs.front().style;
        if (style.bullet.typeface)
            bullet.style.typeface = *style.bullet.typeface;
        switch (style.bullet.sizeUnit) {
        case Bullet::SizeUnit::FollowText:
            bullet.size = prepared.firstSize;
            break;
        case Bullet::SizeUnit::Share:
            bullet.size = prepared.firstSize * style.bullet.size;
            break;
        case Bullet::SizeUnit::Points:
            bullet.size = scaledSize(style.bullet.size, scale);
            break;
        }
        bullet.x = firstLine;
        bullet.width = cache.advance(bullet.text, bullet.style, bullet.size);
        lines.firstStart =
            style.indent < 0 ? std::max(style.marginLeft, firstLine + bullet.width) : firstLine + bullet.width;
        prepared.bullet = std::move(bullet);
    }
    lines.tabStops = style.tabStops;
    // A hanging first line tabs to the margin, where the wrapped lines start.
    if (style.indent < 0) {
        lines.tabStops.push_back(style.marginLeft);
        std::sort(lines.tabStops.begin(), lines.tabStops.end());
    }
    lines.defaultTab = std::max(style.defaultTab, 1.0);
    return prepared;
}

// The largest font size on a line (its bullet's on the first line).
double lineSize(const PreparedParagraph& prepared, const BrokenLine& line, bool firstLine)
{
    double size = 0;
    for (const ParagraphRun& run : prepared.lines.runs) {
        if (run.start < line.start + std::max(line.length, 1) && run.start + run.length > line.start)
            size = std::max(size, run.size);
    }
    if (size == 0)
        size = prepared.firstSize;
    if (firstLine && prepared.bullet)
        size = std::max(size, prepared.bullet->size);
    return size;
}

// The line's height and where its baseline lies below its top, for the
// paragraph's line spacing less the scale's reduction.
std::pair<double, double> spacedLine(double size, const Spacing& spacing, const Scale& scale)
{
    const double ascent = kAscentShare * size;
    const double natural = kSingleLineShare * size;
    const double reduction = scale.lineSpacingReduction / 100000.0;
    if (spacing.unit == Spacing::Unit::Points) {
        const double height = spacing.value * (1.0 - reduction);
        return {height, ascent + height - natural};
    }
    const double share = std::max(0.0, spacing.value - reduction);
    const double height = natural * share;
    if (share < 1.0)
        return {height, std::min(ascent, kReducedAscentShare * height)};
    return {height, ascent + height - natural};
}

LaidOutLine detailedLine(const PreparedParagraph& prepared, const BrokenLine& line, bool firstLine, Alignment alignment,
                         const QRectF& area)
{
    const double room = std::max(0.0, area.width() - line.x);
    double shift = 0;
    if (alignment == Alignment::Center)
        shift = (room - line.width) / 2;
    else if (alignment == Alignment::Right)
        shift = room - line.width;
    const QString& text = prepared.lines.text;
    LaidOutLine out;
    out.text = shownText(text.mid(line.start, line.length));
    for (const BrokenSegment& segment : line.segments) {
        const ParagraphRun& run = prepared.lines.runs[static_cast<size_t>(segment.run)];
        out.segments.push_back({shownText(text.mid(segment.start, segment.length)), area.left() + segment.x + shift,
                                segment.width, layoutFamily(run.style->typeface), run.size, run.style->bold,
                                run.style->italic, *run.style});
    }
    if (firstLine && prepared.bullet) {
        const BulletMark& bullet = *prepared.bullet;
        out.bullet = LineSegment{bullet.text,        area.left() + bullet.x, bullet.width,
                                 layoutFamily(bullet.style.typeface), bullet.size, bullet.style.bold,
                                 bullet.style.italic, bullet.style};
    }
    return out;
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
    ParagraphLineCache lines;
};

TextLayouter::TextLayouter() : m_cache(std::make_unique<Cache>()) {}
TextLayouter::~TextLayouter() = default;

LaidOutText TextLayouter::layOut(const ShapeText& text, std::optional<Scale> scale)
{
    return place(text, scale.value_or(text.frame.storedScale), true);
}

// Without the details (the lines' texts, segments and bullets) a layout
// only counts: all fitting needs.
LaidOutText TextLayouter::place(const ShapeText& text, const Scale& scale, bool detailed)
{
    requireFontDatabase();
    const TextFrame& frame = text.frame;
    const QRectF area = frame.textArea();
    LaidOutText result;
    result.scale = scale;
    result.available = area.height();
    if (frame.autofit == Autofit::ResizeShape && frame.slideSize.height() > area.top())
        result.available = std::max(area.height(), frame.slideSize.height() - area.top() - frame.insets.bottom());

    const std::vector<std::optional<int>> numbers = paragraphNumbers(text.paragraphs);
    double y = 0;
    for (size_t index = 0; index < text.paragraphs.size(); ++index) {
        const Paragraph& paragraph = text.paragraphs[index];
        const PreparedParagraph prepared = prepare(paragraph, frame, scale, numbers[index], m_cache->lines);
        const std::vector<BrokenLine>& lines = m_cache->lines.linesOf(prepared.lines);
        // The first paragraph's space before is not taken, as in LibreOffice.
        if (index > 0)
            y += spacingPoints(paragraph.style.spaceBefore, prepared.firstSize);
        for (size_t n = 0; n < lines.size(); ++n) {
            const auto [height, ascent] = spacedLine(lineSize(prepared, lines[n], n == 0), paragraph.style.lineSpacing, scale);
            const double top = y;
            y += height;
            if (y > result.available + kTolerance)
                ++result.linesOver;
            if (!detailed)
                continue;
            LaidOutLine line = detailedLine(prepared, lines[n], n == 0, paragraph.style.alignment, area);
            line.paragraph = static_cast<int>(index);
            line.top = top;
            line.baseline = top + ascent;
            line.bottom = y;
            result.lines.push_back(std::move(line));
        }
        result.height = y;
        y += spacingPoints(paragraph.style.spaceAfter, prepared.firstSize);
    }

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
    m_cache->lines.endLayout(text.paragraphs.size());
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
