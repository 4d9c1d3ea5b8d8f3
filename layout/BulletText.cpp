#include "layout/BulletText.h"

#include <algorithm>
#include <array>

namespace quillora::layout {
namespace {

QString letters(int n, bool upper)
{
    // a..z, then aa, bb, ... as presentation programs count on.
    const int repeat = std::min((n - 1) / 26 + 1, 64);
    const QChar letter(QLatin1Char(static_cast<char>((upper ? 'A' : 'a') + (n - 1) % 26)));
    return QString(repeat, letter);
}

QString roman(int n, bool upper)
{
    static const std::array<std::pair<int, const char*>, 13> kValues{{{1000, "m"}, {900, "cm"}, {500, "d"}, {400, "cd"},
                                                                       {100, "c"}, {90, "xc"}, {50, "l"}, {40, "xl"},
                                                                       {10, "x"}, {9, "ix"}, {5, "v"}, {4, "iv"}, {1, "i"}}};
    QString text;
    for (const auto& [value, digits] : kValues) {
        while (n >= value && text.size() < 64) {
            text += QLatin1String(digits);
            n -= value;
        }
    }
    return upper ? text.toUpper() : text;
}

} // namespace

QString autoNumberText(const QString& scheme, int n)
{
    n = std::max(n, 1);
    QString number;
    if (scheme.startsWith(QLatin1String("alphaLc")))
        number = letters(n, false);
    else if (scheme.startsWith(QLatin1String("alphaUc")))
        number = letters(n, true);
    else if (scheme.startsWith(QLatin1String("romanLc")))
        number = roman(n, false);
    else if (scheme.startsWith(QLatin1String("romanUc")))
        number = roman(n, true);
    else
        number = QString::number(n);
    if (scheme.endsWith(QLatin1String("ParenBoth")))
        return QLatin1Char('(') + number + QLatin1Char(')');
    if (scheme.endsWith(QLatin1String("ParenR")))
        return number + QLatin1Char(')');
    if (scheme.endsWith(QLatin1String("Plain")))
        return number;
    return number + QLatin1Char('.');
}

} // namespace quillora::layout
