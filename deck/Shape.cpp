#include "deck/DeckData.h"

namespace quillora::deck {

detail::TextBody& detail::ShapeData::body()
{
    if (!text)
        text = std::make_unique<TextBody>(txBody);
    return *text;
}

Shape::Shape() : d(std::make_unique<detail::ShapeData>()) {}
Shape::~Shape() = default;

QString Shape::name() const
{
    return d->name;
}

int Shape::number() const
{
    return d->number;
}

bool Shape::hasTextFrame() const
{
    return bool(d->txBody);
}

TextRange Shape::textRange()
{
    if (!hasTextFrame())
        throw DeckError(QStringLiteral("The shape %1 has no text frame.").arg(d->name));
    d->body();
    return TextRange(*this, 1, 0, true);
}

TextRange Shape::textRange(int start, int length)
{
    if (start < 1 || start > textRange().length() + 1 || length < 0)
        detail::throwOutOfRange();
    return TextRange(*this, start, length, false);
}

Slide& Shape::slide()
{
    return *d->slide;
}

} // namespace quillora::deck
