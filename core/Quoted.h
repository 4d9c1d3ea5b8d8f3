#pragma once
// File names and section names in messages stand in double quotes.

#include <QString>

namespace quillora {

inline QString quoted(const QString& text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

} // namespace quillora
