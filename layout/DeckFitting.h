#pragma once
// The deck says how its text fits: for each shape whose text was changed and
// that shrinks its text on overflow (a:normAutofit), the scale at which the
// text fits is written on the shape, so every reader draws the same fitted
// text, also those that trust the file rather than lay it out again.

#include "deck/Deck.h"
#include "layout/TextLayouter.h"

#include <vector>

namespace quillora::layout {

// Lays the shape's text out and, when the shape shrinks its text, writes
// the scale it needs (nothing when the file already says it). Throws
// deck::DeckError when the shape's parts cannot be read, LayoutUnavailable
// without a QGuiApplication.
FitResult fitShapeText(deck::Shape& shape, TextLayouter& layouter);

struct ShapeFitFailure {
    int slide = 0;
    QString shape;
    QString reason;
};

// fitShapeText for every shape whose text was changed since the deck was
// opened. A shape that cannot be laid out keeps what it had; the failures
// say which and why.
std::vector<ShapeFitFailure> fitChangedShapes(deck::Presentation& deck);

} // namespace quillora::layout
