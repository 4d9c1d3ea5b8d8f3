#include "deck/CharacterSpan.h"
#include "deck/DeckData.h"

#include <algorithm>
#include <cmath>

namespace quillora::deck {
TextRange::TextRange(Shape& shape, int start, int length, bool whole)
    : m_shape(&shape), m_start(start), m_length(length), m_whole(whole)
{
}

static detail::TextBody& bodyOf(detail::ShapeData& data)
{
    return data.body();
}

int TextRange::start() const
{
    // A range made before the text got shorter never points past its end.
    if (m_whole)
        return 1;
    return clippedSpanStart(m_start, bodyOf(*m_shape->d).length());
}

int TextRange::length() const
{
    const int total = bodyOf(*m_shape->d).length();
    if (m_whole)
        return total;
    return clippedSpanLength(m_start, m_length, total);
}

QString TextRange::text() const
{
    return bodyOf(*m_shape->d).text().mid(start() - 1, length());
}

void TextRange::setText(const QString& text)
{
    bodyOf(*m_shape->d).replace(start() - 1, length(), text);
    if (!m_whole)
        m_length = static_cast<int>(text.size());
}

TextRange TextRange::characters(int start, int length) const
{
    const std::optional<CharacterSpan> sub = subSpan(this->start(), this->length(), start, length);
    if (!sub)
        detail::throwOutOfRange();
    return TextRange(*m_shape, sub->start, sub->length, false);
}

void TextRange::setBulletVisible(bool visible)
{
    bodyOf(*m_shape->d)
        .setBullet(start() - 1, length(), visible ? detail::BulletChange::Visible : detail::BulletChange::Hidden);
}

void TextRange::setBulletKind(BulletKind kind)
{
    switch (kind) {
    case BulletKind::None:
        return bodyOf(*m_shape->d).setBullet(start() - 1, length(), detail::BulletChange::Hidden);
    case BulletKind::Character:
        return bodyOf(*m_shape->d).setBullet(start() - 1, length(), detail::BulletChange::Unnumbered);
    case BulletKind::Number:
        return bodyOf(*m_shape->d).setBullet(start() - 1, length(), detail::BulletChange::Numbered);
    }
    detail::throwOutOfRange();
}

void TextRange::setFontSize(double points)
{
    // 1 to 4000 points, as presentation programs take; the file stores hundredths.
    if (!std::isfinite(points) || points < 1.0 || points > 4000.0)
        detail::throwOutOfRange();
    bodyOf(*m_shape->d).setFontSize(start() - 1, length(), static_cast<int>(std::lround(points * 100.0)));
}

Shape& TextRange::shape() const
{
    return *m_shape;
}

} // namespace quillora::deck
