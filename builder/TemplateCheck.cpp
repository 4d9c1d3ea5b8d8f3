#include "builder/TemplateCheck.h"

#include "builder/SlideFillMap.h"
#include "core/Quoted.h"
#include "core/RuntimeError.h"
#include "deck/Deck.h"

#include <QFileInfo>

#include <set>

namespace quillora {

// What --check-template reports is told under this context.
struct TemplateCheckText {
    Q_DECLARE_TR_FUNCTIONS(TemplateCheck)
};

namespace {

QString shapeLabel(const FillRow& row)
{
    if (row.shapeName)
        return TemplateCheckText::tr("the shape named %1").arg(quoted(QString::fromUtf8(row.shapeName)));
    return TemplateCheckText::tr("shape number %1").arg(row.shapeNumber);
}

// The engine names the file at the start of what it says (in English, as
// all it says): by its name, or as "The presentation <path>" when it cannot
// open it. The sentence around it names the file already, so here it is "it".
QString reasonWithoutName(const deck::DeckError& error, const QString& templatePath)
{
    QString reason = error.description().simplified();
    while (reason.endsWith(QLatin1Char('.')))
        reason.chop(1);
    for (const QString& named :
         {QFileInfo(templatePath).fileName() + u' ', QStringLiteral("The presentation ") + templatePath + u' '}) {
        if (reason.startsWith(named))
            return QStringLiteral("it ") + reason.mid(named.size());
    }
    return reason;
}

int fillMapSlideCount()
{
    std::set<int> slides;
    for (const FillRow& row : slideFillMap())
        slides.insert(row.slide);
    return int(slides.size());
}

} // namespace

UnreadableTemplate::UnreadableTemplate(const QString& templatePath, const QString& reason)
    : RuntimeError(
          TemplateCheckText::tr("the template %1 cannot be read as a presentation: %2").arg(quoted(templatePath), reason)),
      m_reason(reason)
{
}

QStringList missingTemplatePieces(const QString& templatePath)
{
    std::unique_ptr<deck::Presentation> presentation;
    try {
        presentation = deck::Presentation::open(templatePath);
    } catch (const deck::DeckError& error) {
        throw UnreadableTemplate(templatePath, reasonWithoutName(error, templatePath));
    }

    QStringList missing;
    std::set<int> missingSlides;
    for (const FillRow& row : slideFillMap()) {
        const QString slideLabel = TemplateCheckText::tr("slide %1: ").arg(row.slide);
        if (row.slide > presentation->slideCount()) {
            if (missingSlides.insert(row.slide).second) {
                missing << slideLabel + TemplateCheckText::tr("no such slide (the template has %1)")
                                            .arg(presentation->slideCount());
            }
            continue;
        }
        deck::Shape* shape = rowShape(presentation->slide(row.slide), row);
        if (!shape) {
            missing << slideLabel
                    + (row.shapeName ? TemplateCheckText::tr("no shape named %1").arg(quoted(QString::fromUtf8(row.shapeName)))
                                     : TemplateCheckText::tr("no shape number %1").arg(row.shapeNumber));
        } else if (!shape->hasTextFrame()) {
            missing << slideLabel + TemplateCheckText::tr("%1 has no text frame to write into").arg(shapeLabel(row));
        }
    }
    return missing;
}

QString templateCheckSummary(const QStringList& missing)
{
    if (missing.isEmpty()) {
        return TemplateCheckText::tr("all %1 slides and %2 shapes the plan is written into are there")
            .arg(fillMapSlideCount())
            .arg(kFillRowCount);
    }
    return missing.size() == 1 ? TemplateCheckText::tr("1 piece the plan is written into is missing")
                               : TemplateCheckText::tr("%1 pieces the plan is written into are missing").arg(missing.size());
}

} // namespace quillora
