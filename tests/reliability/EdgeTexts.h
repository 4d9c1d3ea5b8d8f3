#pragma once
// Statements that are easy to damage on their way from the keyboard to the
// deck, shared by the tests that carry them through the store, the window
// and the engine.

#include <QString>
#include <QStringList>

namespace quillora::edge {

inline QString outsideTheBasicPlane()
{
    return QStringLiteral("Launch \U0001F680 worldwide\r\n- \U0001D518\U0001D52B\U0001D526 letters \U0001D7D9\U0001D7DA"
                          "\r\nFlags \U0001F1E9\U0001F1EA and a family \U0001F468\u200D\U0001F469\u200D\U0001F467");
}

inline QString rightToLeft()
{
    return QStringLiteral("\u05E9\u05DC\u05D5\u05DD \u05E2\u05D5\u05DC\u05DD\r\n- \u0645\u0631\u062D\u0628\u0627 "
                          "\u0628\u0627\u0644\u0639\u0627\u0644\u0645\r\nMixed English \u05E2\u05D1\u05E8\u05D9\u05EA 123 "
                          "\u200F\u0627\u0644\u0639\u0631\u0628\u064A\u0629\u200E.");
}

inline QString onlyLineBreaks()
{
    return QStringLiteral("\r\n\r\n\r\n");
}

inline QString megabyteLine()
{
    // Mixed widths, so a byte/character mix-up cannot pass unnoticed.
    const QString unit = QStringLiteral("Quarterly growth \u00e9\u00e8 \u4e2d\u6587 \U0001F680 ");
    QString line;
    while (line.size() < (1 << 20))
        line += unit;
    return line;
}

inline QString megabyteOfLines()
{
    QStringList lines;
    qsizetype size = 0;
    for (int i = 0; size < (1 << 20); ++i) {
        const QString line = (i % 3 == 2 ? QStringLiteral("  - detail %1: ") : QStringLiteral("Point %1: ")).arg(i) +
                             QString(100, QChar(u'a' + i % 26));
        size += line.size() + 2;
        lines << line;
    }
    return lines.join(QStringLiteral("\r\n"));
}

} // namespace quillora::edge
