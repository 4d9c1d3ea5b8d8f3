#include "cli/FitCheck.h"

#include "cli/CommandText.h"
#include "core/RuntimeError.h"
#include "deck/Deck.h"
#include "layout/Fonts.h"
#include "plan/SectionCatalogue.h"

namespace quillora {
namespace {

QString captionOf(const QString& key)
{
    for (const Section& section : allSections()) {
        if (section.key() == key)
            return section.shownCaption();
    }
    return key;
}

QString verdict(const SectionFit& section)
{
    if (!section.hasShape)
        return CommandText::tr("no shape to write into (see --check-template)");
    const FitVerdict verdict = fitVerdict(section.fit);
    switch (verdict.kind) {
    case FitVerdict::Kind::Fits:
        return CommandText::tr("fits");
    case FitVerdict::Kind::TighterLines:
        return CommandText::tr("100 % (line spacing %1 % less)").arg(verdict.percent);
    case FitVerdict::Kind::Shrinks:
        return QStringLiteral("%1 %").arg(verdict.percent);
    case FitVerdict::Kind::TooLong:
        break;
    }
    if (!verdict.shrinks)
        return verdict.linesOver == 1 ? CommandText::tr("1 line over; the shape does not shrink its text")
                                      : CommandText::tr("%1 lines over; the shape does not shrink its text").arg(verdict.linesOver);
    return verdict.linesOver == 1 ? CommandText::tr("1 line over at %1 %").arg(verdict.percent)
                                  : CommandText::tr("%1 lines over at %2 %").arg(verdict.linesOver).arg(verdict.percent);
}

} // namespace

QCommandLineOption fitCheckOption()
{
    return QCommandLineOption(
        QStringLiteral("check-fit"),
        CommandText::tr("Fill the template with the plan in memory and print, for each section, whether its text fits "
                       "its slide, the scale it shrinks to, or how many lines it is over at %1 %; exit 0 when every "
                       "section fits at %1 % or more, 2 when one does not, 1 on bad input. Goes with --plan and "
                       "--template only.")
            .arg(wholePercent(kReadableFontScale)));
}

QString fitCheckConflict(const QCommandLineParser& parser, const QCommandLineOption& checkFit)
{
    const QStringList allowed{checkFit.names().first(), QStringLiteral("p"), QStringLiteral("plan"),
                              QStringLiteral("t"), QStringLiteral("template")};
    for (const QString& name : parser.optionNames()) {
        if (!allowed.contains(name))
            return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
    }
    for (const QString& name : {QStringLiteral("plan"), QStringLiteral("template")}) {
        if (parser.values(name).size() > 1)
            return QStringLiteral("--") + name;
    }
    return parser.positionalArguments().value(0);
}

QString fitCheckLine(const SectionFit& section)
{
    return CommandText::tr("slide %1, %2: %3").arg(section.slide).arg(captionOf(section.key), verdict(section));
}

bool printFitCheck(const QString& templatePath, const std::optional<QString>& planPath, const DeckJobTools& tools,
                   QTextStream& out)
{
    const QByteArray filled = fillDeck(templatePath, planPath, tools);
    std::vector<SectionFit> sections;
    try {
        const std::unique_ptr<deck::Presentation> deck = deck::Presentation::fromBytes(filled);
        layout::TextLayouter layouter;
        sections = fitSections(*deck, layouter);
    } catch (const deck::DeckError& error) {
        throw RuntimeError(CommandText::tr("the filled deck cannot be laid out: %1").arg(error.description()));
    } catch (const layout::LayoutUnavailable& error) {
        throw RuntimeError(QString::fromUtf8(error.what()));
    }
    bool readable = true;
    for (const SectionFit& section : sections) {
        out << fitCheckLine(section) << '\n';
        readable = readable && section.readable();
    }
    out.flush();
    return readable;
}

} // namespace quillora
