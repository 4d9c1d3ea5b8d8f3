#pragma once
// What stands behind the public Presentation, Slide and Shape objects.
// The Presentation owns the package and its slides; each slide owns its
// parsed XML and its shapes; each shape owns the text model of its body,
// made the first time its text is asked for.

#include "deck/Deck.h"
#include "deck/OpcPackage.h"
#include "deck/TextBody.h"

#include <pugixml.hpp>

#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace quillora::deck::detail {

// What every collection and range says of a position it does not have.
[[noreturn]] inline void throwOutOfRange()
{
    throw DeckError(QLatin1String(kOutOfRangeDescription), DeckError::Kind::OutOfRange);
}

// Item `number` (counting from 1, as slides and shapes are counted).
template <class T>
T& itemAt(const std::vector<std::unique_ptr<T>>& items, int number)
{
    if (number < 1 || static_cast<size_t>(number) > items.size())
        throwOutOfRange();
    return *items[static_cast<size_t>(number - 1)];
}

struct PresentationData {
    static std::unique_ptr<Presentation> load(const QByteArray& bytes, const QString& path,
                                              const QString& displayName);
    static PresentationData& of(Presentation& presentation) { return *presentation.d; }
    void writeBackEdits();
    Slide& duplicateSlide(Presentation& presentation, int number);
    // A part the engine only reads (layouts, masters, themes), parsed the
    // first time it is asked for; an empty node when the part is absent.
    pugi::xml_node readOnlyPart(const QString& partName);

    QString path;
    QString displayName;
    std::optional<OpcPackage> package;
    QString mainPart;
    std::unique_ptr<pugi::xml_document> main;
    std::vector<std::unique_ptr<Slide>> slides;
    std::map<QString, std::unique_ptr<pugi::xml_document>> readOnlyParts;
};

struct SlideData {
    void readShapes(Slide& self);

    Presentation* presentation = nullptr;
    int number = 0;
    QString partName;
    QString layoutPart;
    std::unique_ptr<pugi::xml_document> document;
    std::vector<std::unique_ptr<Shape>> shapes;
    // Changed outside the shapes' text models (a shape's text written back
    // for reading, its autofit scale): the part is written again on save.
    bool partEdited = false;
};

struct ShapeData {
    TextBody& body();
    // Puts pending text edits into the XML, so that reading it sees them.
    void flushText();

    Slide* slide = nullptr;
    int number = 0;
    QString name;
    pugi::xml_node element;
    pugi::xml_node txBody; // empty when the shape has no text frame
    std::unique_ptr<TextBody> text;
};

} // namespace quillora::deck::detail
