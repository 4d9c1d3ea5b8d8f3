#pragma once
// DrawingML's text properties read onto the resolved styles: each function
// takes one element and changes only what that element says, so applying
// the levels of inheritance in order (defaults, master, layout, shape,
// paragraph, run) leaves the nearest level's word on every property.

#include "deck/XmlElement.h"
#include "layout/TextStyle.h"

namespace quillora::layout {

// a:rPr, a:defRPr, a:endParaRPr (a colour only as its element: see RunStyle::fill).
void applyRunProperties(deck::XmlElement rPr, RunStyle& style);
// a:pPr or a:lvlNpPr: margins, alignment, spacing, bullet, tabs, a:defRPr.
void applyParagraphProperties(deck::XmlElement pPr, ParagraphStyle& style);
// A list style (a:lstStyle, p:bodyStyle, a:defaultTextStyle ...) at a level
// (0 to 8): its a:defPPr, then its a:lvl<level+1>pPr.
void applyListStyle(deck::XmlElement listStyle, int level, ParagraphStyle& style);
// a:bodyPr: insets, wrap, anchor, autofit and its stored scale.
void applyBodyProperties(deck::XmlElement bodyPr, TextFrame& frame);
// a:xfrm's offset and extent, when it has them.
bool readTransform(deck::XmlElement xfrm, QRectF& box);

// The theme's heading and body fonts (a:majorFont, a:minorFont).
struct ThemeFonts {
    QString major;
    QString minor;
};
ThemeFonts themeFonts(deck::XmlElement theme);
// "+mj-lt" and "+mn-lt" (and their other scripts) as the theme's fonts.
QString resolveThemeFont(const QString& typeface, const ThemeFonts& fonts);

} // namespace quillora::layout
