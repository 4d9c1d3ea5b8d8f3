#pragma once
// A shape's text as a layout sees it, with every property resolved: the
// frame it is set in and its paragraphs with their runs. Read from a deck by
// readShapeText (ShapeText.h); plain values, so callers may also build or
// change them (the text a user is typing, say) without touching a deck.
//
// Lengths are in points (1/72 inch), the slide's top left corner at 0,0.

#include "deck/XmlElement.h"

#include <QColor>
#include <QMarginsF>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <optional>
#include <vector>

namespace quillora::layout {

inline constexpr double kEmuPerPoint = 12700.0;

// How a text body is shrunk to fit its box, as a:normAutofit stores it: in
// thousandths of a percent (100000 is 100 %).
struct Scale {
    int fontScale = 100000;
    int lineSpacingReduction = 0;
    bool isFull() const { return fontScale == 100000 && lineSpacingReduction == 0; }
    friend bool operator==(const Scale&, const Scale&) = default;
};

struct RunStyle {
    QString typeface;  // as the file names it, theme fonts already resolved ("Arial")
    double size = 18.0; // points, before any scale
    bool bold = false;
    bool italic = false;
    bool allCaps = false;
    double letterSpacing = 0; // points added after each character
    QColor color;             // invalid: the theme's text colour
    deck::XmlElement fill;    // while reading: the nearest a:solidFill, until resolved into color
    friend bool operator==(const RunStyle&, const RunStyle&) = default;
};

// Line spacing and the space around paragraphs: a share of the line (1.0 is
// single) or of the font size, or points.
struct Spacing {
    enum class Unit { Share, Points };
    Unit unit = Unit::Share;
    double value = 0;
    friend bool operator==(const Spacing&, const Spacing&) = default;
};

struct Bullet {
    enum class Kind { None, Character, AutoNumber };
    Kind kind = Kind::None;
    QString character;              // Character: the character; AutoNumber: the scheme (arabicPeriod)
    int startAt = 1;                // AutoNumber
    std::optional<QString> typeface; // nothing: the text's own
    enum class SizeUnit { FollowText, Share, Points };
    SizeUnit sizeUnit = SizeUnit::FollowText;
    double size = 1.0;
    friend bool operator==(const Bullet&, const Bullet&) = default;
};

enum class Alignment { Left, Center, Right, Justified };

struct ParagraphStyle {
    double marginLeft = 0; // where wrapped lines start, from the text area's left edge
    double indent = 0;     // the first line's start, relative to marginLeft
    Alignment alignment = Alignment::Left;
    Spacing lineSpacing{Spacing::Unit::Share, 1.0};
    Spacing spaceBefore{Spacing::Unit::Points, 0};
    Spacing spaceAfter{Spacing::Unit::Points, 0};
    Bullet bullet;
    double defaultTab = 72.0;
    std::vector<double> tabStops; // from the text area's left edge, ascending
    RunStyle run;                 // what runs without their own properties take
    friend bool operator==(const ParagraphStyle&, const ParagraphStyle&) = default;
};

struct Run {
    QString text; // a line break inside a paragraph is U+2028
    RunStyle style;
};

struct Paragraph {
    int level = 0; // 0 to 8
    ParagraphStyle style;
    std::vector<Run> runs;
    RunStyle endStyle; // what an empty paragraph is as tall as
};

enum class Autofit {
    None,        // the text may run out of its box
    ShrinkText,  // a:normAutofit: the text is scaled to fit
    ResizeShape, // a:spAutoFit: the shape grows with its text
};

enum class Anchor { Top, Middle, Bottom };

struct TextFrame {
    QRectF box;       // the shape's box on the slide
    QMarginsF insets; // between the box and the text
    bool wrap = true;
    Autofit autofit = Autofit::None;
    Anchor anchor = Anchor::Top;
    Scale storedScale; // what the file says now (a:normAutofit's attributes)
    QSizeF slideSize;

    QRectF textArea() const { return box.marginsRemoved(insets); }
};

struct ShapeText {
    TextFrame frame;
    std::vector<Paragraph> paragraphs;
};

} // namespace quillora::layout
