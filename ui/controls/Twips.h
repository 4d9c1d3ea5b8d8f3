#pragma once
// Window geometry is designed in twips (1440 per inch). At 96 dots per inch
// that is 15 twips per pixel; Qt's own high-dpi scaling takes care of other
// screens, so the conversion here is fixed.

#include <QRect>

namespace quillora {

inline constexpr int kTwipsPerPixel = 15;

constexpr int twipsToPixels(int twips)
{
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

inline QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}

} // namespace quillora
