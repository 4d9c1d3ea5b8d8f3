#pragma once
// A picture of one slide as the deck will show it: the nearest background
// of the slide, its layout and its master (a colour, a gradient or a
// picture), the shapes and pictures the master and layout put on every slide,
// the slide's own, and their text laid out by the same layout that fits the
// deck, at the scale it fits at, in the same fonts. What it cannot draw (a
// chart, a diagram, a table, a video, a picture in a format it does not
// read) is a grey box with the object's name. Nothing the deck carries runs
// and nothing it links to outside itself is fetched.
//
// A renderer reads the template's parts once and keeps what it decoded
// (pictures, the drawn background and template shapes at each width), so a
// slide drawn again after a keystroke costs its text's layout and drawing.
// Not thread-safe; needs a QGuiApplication (layout::LayoutUnavailable
// otherwise).

#include "deck/Deck.h"
#include "layout/TextLayouter.h"
#include "layout/TextStyle.h"

#include <QHash>
#include <QImage>
#include <QSizeF>

#include <memory>
#include <vector>

namespace quillora::render {

// A shape's text to draw in place of what the deck holds, such as the
// statement being typed; the text must outlive the call it is given to.
struct TextInPlace {
    QString shape; // the shape's name on the slide
    const layout::ShapeText* text = nullptr;
};

// One shape's text as the picture shows it: lines on the slide, in points.
struct DrawnText {
    QString shape;
    int number = 0; // the shape's on the slide
    layout::LaidOutText lines;
};

class SlideRenderer {
public:
    // The deck must outlive the renderer.
    explicit SlideRenderer(deck::Presentation& deck);
    ~SlideRenderer();
    SlideRenderer(const SlideRenderer&) = delete;
    SlideRenderer& operator=(const SlideRenderer&) = delete;

    // In points.
    QSizeF slideSize() const;

    // Slide `number` (from 1) `width` pixels wide, as tall as the slide's
    // proportions make it. Throws deck::DeckError for a slide the deck does
    // not have or a part that is not well-formed.
    QImage render(int number, int width, const std::vector<TextInPlace>& typed = {});

    // The text render draws on that slide, shape by shape in z-order.
    std::vector<DrawnText> texts(int number, const std::vector<TextInPlace>& typed = {});

private:
    struct Cache;
    deck::Presentation& m_deck;
    std::unique_ptr<Cache> m_cache;
};

} // namespace quillora::render
