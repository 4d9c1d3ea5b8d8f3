#pragma once
// Lays a shape's text out the way presentation programs set it in its box:
// paragraphs top down from the text area's top, each first line from the
// margin plus the indent (after its bullet), wrapped lines from the margin,
// tabs on the paragraph's stops and its default grid, line height from the
// fonts' ascent and descent times the line spacing, space before and after
// paragraphs. Qt's text layout breaks the lines; fonts as in Fonts.h.
//
// One TextLayouter keeps the lines of the paragraphs it laid out for the
// next calls, so a text that changed in one paragraph costs that
// paragraph's layout, not the whole text's. Not thread-safe; needs a
// QGuiApplication (LayoutUnavailable otherwise).

#include "layout/TextStyle.h"

#include <QString>

#include <memory>
#include <optional>
#include <vector>

namespace quillora::layout {

// A stretch of one line in one font.
struct LineSegment {
    QString text;
    double x = 0;     // on the slide, points
    double width = 0;
    QString family;   // the font it is laid out in (Liberation Sans for Arial, ...)
    double size = 0;  // points, scale applied
    bool bold = false;
    bool italic = false;
    RunStyle style; // the run's, for drawing it (typeface as the file names it)
};

struct LaidOutLine {
    int paragraph = 0; // index into ShapeText::paragraphs
    double top = 0;    // on the slide, points
    double baseline = 0;
    double bottom = 0;
    QString text;      // without a trailing line break
    std::vector<LineSegment> segments;
    std::optional<LineSegment> bullet; // on a bulleted paragraph's first line
};

struct LaidOutText {
    Scale scale;
    std::vector<LaidOutLine> lines;
    double height = 0;    // from the text area's top to the last line's bottom
    double available = 0; // what the text may take: the text area's height, or
                          // down to the slide's bottom for a shape that grows
    // Lines whose bottom lies below what is available.
    int linesOver = 0;
    bool fits() const { return linesOver == 0; }
};

struct FitResult {
    // The largest step at which the text fits (its full size when it fits
    // as it is, and for shapes that do not shrink their text); the smallest
    // step tried when none fits.
    Scale scale;
    bool fits = true;
    int linesOver = 0; // at `scale`
};

// Shrinking stops here unless the caller asks for more: fonts at a quarter
// of their size.
inline constexpr int kSmallestFontScale = 25000;

// The steps a shape that shrinks its text on overflow goes through, largest
// first: line spacing reduced by 10 %, then 20 %; then the fonts one point at
// a time (the largest font's size in whole points), down to smallestFontScale.
std::vector<Scale> shrinkSteps(const ShapeText& text, int smallestFontScale = kSmallestFontScale);

// A font's size at a scale: whole points once the fonts are scaled.
double scaledSize(double size, const Scale& scale);

class TextLayouter {
public:
    TextLayouter();
    ~TextLayouter();
    TextLayouter(const TextLayouter&) = delete;
    TextLayouter& operator=(const TextLayouter&) = delete;

    // The lines at a scale (the one the file stores when none is given).
    LaidOutText layOut(const ShapeText& text, std::optional<Scale> scale = std::nullopt);
    // The scale the text needs: for a shape that shrinks its text, the
    // first of shrinkSteps at which it fits; otherwise whether it fits as
    // it is.
    FitResult fit(const ShapeText& text, int smallestFontScale = kSmallestFontScale);

private:
    LaidOutText place(const ShapeText& text, const Scale& scale, bool detailed);
    struct Cache;
    std::unique_ptr<Cache> m_cache;
};

} // namespace quillora::layout
