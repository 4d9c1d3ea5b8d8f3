// Lays out the text of every shape of arbitrary input opened as a
// presentation: the reading of what a shape inherits from its layout, master
// and theme, the layout itself and the fit. Refusing a damaged part with a
// DeckError is fine; anything else that goes wrong is not. Every line laid
// out must lie at a finite place, and a shape whose text was changed and
// fitted must save and open again with the scale it was given.
//
// Input as for fuzz_deck_open: raw bytes, or a part list in text form
// ("==> part name" lines, each followed by the part's content).

#include "deck/Deck.h"
#include "layout/DeckFitting.h"
#include "layout/ShapeText.h"
#include "layout/TextLayouter.h"
#include "tests/support/DeckBuilder.h"

#include <QByteArray>
#include <QGuiApplication>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>

using namespace quillora;

namespace {

const QByteArray kPartMarker("==> ");

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

QByteArray zipFromPartList(const QByteArray& input)
{
    testing::PackageParts parts;
    qsizetype at = 0;
    while (at < input.size()) {
        const qsizetype nameEnd = input.indexOf('\n', at);
        if (nameEnd < 0)
            break;
        const QByteArray name = input.mid(at + kPartMarker.size(), nameEnd - at - kPartMarker.size());
        const qsizetype next = input.indexOf("\n" + kPartMarker, nameEnd);
        const qsizetype dataEnd = next < 0 ? input.size() : next;
        parts.set(QString::fromUtf8(name), input.mid(nameEnd + 1, dataEnd - nameEnd - 1));
        at = next < 0 ? input.size() : next + 1;
    }
    try {
        return parts.zip();
    } catch (const std::exception&) {
        return input;
    }
}

void checkLines(const layout::LaidOutText& text)
{
    for (const layout::LaidOutLine& line : text.lines) {
        if (!std::isfinite(line.top) || !std::isfinite(line.baseline) || !std::isfinite(line.bottom) || line.bottom < line.top)
            fail("a line at no place");
        for (const layout::LineSegment& segment : line.segments)
            if (!std::isfinite(segment.x) || !std::isfinite(segment.width))
                fail("a segment at no place");
    }
}

void exercise(deck::Presentation& deck)
{
    layout::TextLayouter layouter;
    deck::Shape* changed = nullptr;
    for (int s = 1; s <= deck.slideCount(); ++s) {
        deck::Slide& slide = deck.slide(s);
        for (int n = 1; n <= slide.shapeCount(); ++n) {
            deck::Shape& shape = slide.shape(n);
            if (!shape.hasTextFrame())
                continue;
            try {
                const layout::ShapeText text = layout::readShapeText(shape);
                const layout::FitResult fit = layouter.fit(text);
                checkLines(layouter.layOut(text, fit.scale));
                if (!changed && text.frame.autofit == layout::Autofit::ShrinkText)
                    changed = &shape;
            } catch (const deck::DeckError&) {
                return; // a part the shapes inherit from is damaged
            }
        }
    }
    if (!changed)
        return;
    changed->textRange().setText(QStringLiteral("Fuzz\rLonger text of a second paragraph to lay out\r- third"));
    if (!layout::fitChangedShapes(deck).empty())
        return;
    const int slide = changed->slide().number(), number = changed->number();
    const layout::Scale written = layout::readShapeText(*changed).frame.storedScale;
    std::unique_ptr<deck::Presentation> reopened;
    try {
        reopened = deck::Presentation::fromBytes(deck.toBytes());
    } catch (const deck::DeckError&) {
        fail("a fitted deck does not open again");
    }
    if (layout::readShapeText(reopened->slide(slide).shape(number)).frame.storedScale != written)
        fail("the written scale did not survive saving");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QByteArray file = input.startsWith(kPartMarker) ? zipFromPartList(input) : input;
    std::unique_ptr<deck::Presentation> deck;
    try {
        deck = deck::Presentation::fromBytes(file, QStringLiteral("fuzz.pptx"));
    } catch (const deck::DeckError&) {
        return 0;
    }
    exercise(*deck);
    return 0;
}
