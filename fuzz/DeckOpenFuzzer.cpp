// Opens arbitrary input as a presentation. Refusing it with a DeckError is
// fine; anything else that goes wrong is not. A deck that opens must stay
// usable: every shape's text reads, a written text survives saving, and the
// saved package opens again.
//
// Two kinds of input, so the mutations reach past the zip layer's checksums:
// - raw bytes, opened as the file itself;
// - a part list in text form, zipped here before it is opened:
//       ==> [Content_Types].xml
//       <?xml ...?><Types ...>...</Types>
//       ==> ppt/slides/slide1.xml
//       ...

#include "deck/Deck.h"
#include "tests/support/DeckBuilder.h"

#include <QByteArray>
#include <QList>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>

using namespace quillora;
using deck::DeckError;
using deck::Presentation;

namespace {

const QByteArray kPartMarker("==> ");

[[noreturn]] void fail(const char* what, const QString& detail = {})
{
    std::fprintf(stderr, "%s %s\n", what, detail.toUtf8().constData());
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
        qsizetype next = input.indexOf("\n" + kPartMarker, nameEnd);
        const qsizetype dataEnd = next < 0 ? input.size() : next;
        parts.set(QString::fromUtf8(name), input.mid(nameEnd + 1, dataEnd - nameEnd - 1));
        at = next < 0 ? input.size() : next + 1;
    }
    try {
        return parts.zip();
    } catch (const std::exception&) {
        return input; // a name libzip will not store, such as an empty one
    }
}

void exercise(Presentation& deck)
{
    deck::Shape* target = nullptr;
    for (int s = 1; s <= deck.slideCount(); ++s) {
        deck::Slide* slide = nullptr;
        try {
            slide = &deck.slide(s);
        } catch (const DeckError&) {
            continue; // a slide that could not be loaded is refused on its own
        }
        for (int n = 1; n <= slide->shapeCount(); ++n) {
            deck::Shape& shape = slide->shape(n);
            if (!shape.hasTextFrame())
                continue;
            (void)shape.textRange().text();
            if (!target)
                target = &shape;
        }
    }

    QString expected;
    int slideNumber = 0, shapeNumber = 0;
    if (target) {
        target->textRange().setText(QStringLiteral("Fuzz\r\u00e9\U0001F680"));
        expected = target->textRange().text();
        slideNumber = target->slide().number();
        shapeNumber = target->number();
    }
    const QByteArray saved = deck.toBytes();
    std::unique_ptr<Presentation> reopened;
    try {
        reopened = Presentation::fromBytes(saved);
    } catch (const DeckError& error) {
        fail("a saved deck does not open again:", error.description());
    }
    if (reopened->slideCount() != deck.slideCount())
        fail("the saved deck has another number of slides");
    if (target && reopened->slide(slideNumber).shape(shapeNumber).textRange().text() != expected)
        fail("a written text did not survive saving");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QByteArray file = input.startsWith(kPartMarker) ? zipFromPartList(input) : input;
    std::unique_ptr<Presentation> deck;
    try {
        deck = Presentation::fromBytes(file, QStringLiteral("fuzz.pptx"));
    } catch (const DeckError& error) {
        if (error.description().trimmed().isEmpty())
            fail("a refusal without a description");
        return 0;
    }
    exercise(*deck);
    return 0;
}
