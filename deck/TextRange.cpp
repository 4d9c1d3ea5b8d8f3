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
    return std::min(m_start, bodyOf(*m_shape->d).length() + 1);
}

int TextRange::length() const
{
    const int total = bodyOf(*m_shape->d).length();
    if (m_whole)
        return total;
    return std::max(0, std::min(m_length, total - start() + 1));
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
    if (start < 1 || length < -1)
        detail::throwOutOfRange();
    const int base = this->start();
    const int available = this->length();
    if (available == 0)
        return TextRange(*m_shape, base, 0, false);
    if (length == -1)
        length = 1;
    if (start > available) {
        start = available;
        length = std::min(length, 1);
    }
    length = std::min(length, available - start + 1);
    return TextRange(*m_shape, base + start - 1, length, false);
}

void TextRange::setBulletVisible(int msoTriState)
{
    if (msoTriState != kMsoTrue && msoTriState != kMsoFalse)
        detail::throwOutOfRange();
    bodyOf(*m_shape->d)
        .setBullet(start() - 1, length(),
                   msoTriState == kMsoTrue ? detail::BulletChange::Visible : detail::BulletChange::Hidden);
}

void TextRange::setBulletType(int type)
{
    // ppBulletNone, ppBulletUnnumbered, ppBulletNumbered.
    static constexpr detail::BulletChange kChanges[] = {
        detail::BulletChange::Hidden, detail::BulletChange::Unnumbered, detail::BulletChange::Numbered};
    if (type < 0 || type > 2)
        detail::throwOutOfRange();
    bodyOf(*m_shape->d).setBullet(start() - 1, length(), kChanges[type]);
}

void TextRange::setFontSize(double points)
{
    // PowerPoint takes 1 to 4000 points; the file stores hundredths.
    if (!std::isfinite(points) || points < 1.0 || points > 4000.0)
        detail::throwOutOfRange();
    bodyOf(*m_shape->d).setFontSize(start() - 1, length(), static_cast<int>(std::lround(points * 100.0)));
}

Shape& TextRange::shape() const
{
    return *m_shape;
}

} // namespace quillora::deck
