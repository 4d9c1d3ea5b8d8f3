#pragma once
// How each section's text fits the shape the generator writes it into: the
// scale it needs, or how many lines too long it is at the smallest size that
// still reads well on a slide. The command's fit check reports it; the
// window's fit meter and the continuation of long sections go by the same
// threshold.

#include "deck/Deck.h"
#include "layout/TextLayouter.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace quillora {

// Text shrunk below 70 % of its size is too small to read on a slide.
inline constexpr int kReadableFontScale = 70000;

struct SectionFit {
    int slide = 0;
    QString key;         // the section's setting key
    bool hasShape = false; // false when the deck lacks the shape (or its text frame)
    layout::FitResult fit; // down to kReadableFontScale
    bool readable() const { return hasShape && fit.fits; }
};

// A scale in thousandths of a percent (as DrawingML stores it) in whole percent.
int wholePercent(int thousandths);

// A section's text fitted to its shape, down to kReadableFontScale.
layout::FitResult fitSectionText(const layout::ShapeText& text, layout::TextLayouter& layouter);

// What a fit comes to, in the terms the command's fit check and the
// window's fit meter tell it.
struct FitVerdict {
    enum class Kind {
        Fits,           // at full size
        TighterLines,   // at full size with the line spacing reduced by `percent`
        Shrinks,        // the fonts at `percent` of their size
        TooLong,        // `linesOver` lines over at `percent` (the smallest size tried)
    };
    Kind kind = Kind::Fits;
    int percent = 100; // whole percent
    int linesOver = 0;
    bool shrinks = true; // false when the shape does not shrink its text
};
FitVerdict fitVerdict(const layout::FitResult& fit);

// A statement's lines cut into slides' worth: each point goes with the
// sub-points and blank lines under it, and pieces take whole points while `fits` says the
// piece still fits. A point that does not fit even alone takes a piece of
// its own, whole. Lines before the first point count as one point.
std::vector<QStringList> continuationPieces(const QStringList& lines,
                                            const std::function<bool(const QStringList&)>& fits);

// One entry per section, in the fill map's order, for a deck the generator
// filled. Throws deck::DeckError when a shape's parts cannot be read, and
// layout::LayoutUnavailable without a QGuiApplication.
std::vector<SectionFit> fitSections(deck::Presentation& filled, layout::TextLayouter& layouter);

} // namespace quillora
