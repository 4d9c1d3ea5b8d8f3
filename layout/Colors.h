#pragma once
// DrawingML colours as a slide shows them: a theme colour through the
// master's colour map (and a layout's or slide's override), a system
// colour as last saved, and the modifiers that lighten, darken or fade it.

#include "deck/Deck.h"

#include <QColor>
#include <QHash>
#include <QString>

namespace quillora::layout {

class ColorScheme {
public:
    ColorScheme() = default;
    // The theme's colours and the nearest colour map of the slide.
    explicit ColorScheme(deck::Slide& slide);

    // The colour an element holding one (a:solidFill, a:gs, a:fillRef, ...)
    // names; `placeholder` for phClr, the colour a theme's style is used with.
    // Invalid when the element names none.
    QColor resolve(deck::XmlElement holder, const QColor& placeholder = {}) const;
    // A scheme colour by name (tx1, accent2, dk1, ...); black when unknown.
    QColor scheme(const QString& name) const;

private:
    QHash<QString, QColor> m_theme;
    QHash<QString, QString> m_map; // bg1 -> lt1, tx1 -> dk1, ...
};

} // namespace quillora::layout
