#include "builder/MarketingPlanGenerator.h"
#include "core/ErrorReport.h"

namespace quillora {
namespace {

using namespace automation;

inline constexpr float kBulletSize = 24.0f;
inline constexpr float kSubPointSize = 22.0f;

// lines(i), with the bounds check an array read has.
const QString& lineAt(const QStringList& lines, int i)
{
    if (i < 0 || i >= lines.size())
        throw RuntimeError(RuntimeError::tr("Subscript out of range"));
    return lines.at(i);
}

// A line goes where the text now ends, over the "\n" that the last line's
// "\r\n" left there. One that opens with a line feed writes that "\n" again
// before its own: the two would otherwise read as the pair alone.
QString leadOf(const QStringList& lines, int i)
{
    return i > 0 && lineAt(lines, i).startsWith(QLatin1Char('\n')) ? QStringLiteral("\n") : QString();
}

} // namespace

bool isSubPointLine(const QString& line)
{
    for (QChar c : line) {
        if (c != QLatin1Char(' '))
            return c == QLatin1Char('-');
    }
    return false;
}

void updateText(const BuilderContext& context, const QStringList& lines, Ref<TextRange>& givenRange)
{
    GuardedProcedure proc(context.failures, kUpdateTextLocation);

    int position = 0;
    Ref<TextRange> range;
    proc.step(100, [&] { position = 1; });
    proc.step(102, [&] { range = givenRange; });
    proc.step(104, [&] { range->parent()->parent()->parent()->select(); });
    proc.step(106, [&] { range->setText(QString()); });

    const int upperBound = static_cast<int>(lines.size()) - 1;
    for (int i = 0; i <= upperBound; ++i) {
        if (proc.test(110, [&] { return isSubPointLine(lineAt(lines, i)); })) {
            proc.step(112, [&] { range->characters(position, kOmittedLength)->paragraphFormat()->bullet()->setVisible(kFalse); });
            proc.step(114, [&] {
                range->characters(position, kOmittedLength)->setText(QLatin1Char('\t') + lineAt(lines, i) + QLatin1String("\r\n"));
            });
            // The written line is the tab plus the line: size all of it.
            proc.step(116, [&] {
                const int written = static_cast<int>(lineAt(lines, i).size()) + 1;
                range->characters(position, written)->font()->setSize(kSubPointSize);
            });
        } else {
            proc.step(118, [&] { range->characters(position, kOmittedLength)->paragraphFormat()->bullet()->setVisible(kTrue); });
            proc.step(120, [&] { range->characters(position, kOmittedLength)->paragraphFormat()->bullet()->setType(kBulletUnnumbered); });
            const QString lead = leadOf(lines, i);
            proc.step(122, [&] { range->characters(position, kOmittedLength)->setText(lead + lineAt(lines, i) + QLatin1String("\r\n")); });
            proc.step(124, [&] {
                const int start = position + static_cast<int>(lead.size());
                range->characters(start, static_cast<int>(lineAt(lines, i).size()))->font()->setSize(kBulletSize);
            });
        }
        // The next line goes where the application says the text now ends.
        proc.step(126, [&] { position = static_cast<int>(range->text().size()); });
    }
    proc.step(128, [&] { range.release(); });
    proc.step(130, [&] { pause(context, kPauseSeconds); });
}

} // namespace quillora
