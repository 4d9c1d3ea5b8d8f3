#include "builder/MarketingPlanGenerator.h"
#include "builder/SectionFit.h"
#include "builder/SlideFillMap.h"
#include "builder/StatementText.h"
#include "builder/WorkingCopy.h"
#include "core/ErrorReport.h"

#include <QCoreApplication>
#include <optional>

namespace quillora {
namespace {

using namespace automation;

const QString kMarketingPlan = QStringLiteral("Marketing Plan");
const QString kLineBreak = QStringLiteral("\r\n");
constexpr char kContinuedSuffix[] = QT_TRANSLATE_NOOP("MarketingPlanGenerator", " (continued)");

Ref<TextRange> rowText(Ref<Slide> slide, const FillRow& row)
{
    Ref<Shape> shape = row.shapeName ? slide->shapes()->item(QString::fromUtf8(row.shapeName))
                                     : slide->shapes()->item(static_cast<qint16>(row.shapeNumber));
    return shape->textFrame()->textRange();
}

// `inserted`: continuation slides placed before the row's slide so far.
Ref<TextRange> shapeText(Ref<Presentation>& presentation, const FillRow& row, int inserted = 0)
{
    return rowText(presentation->slides()->item(static_cast<qint16>(row.slide + inserted)), row);
}

// The statement's lines in slides' worth, measured in the template's shape
// the way the writer would fill it.
std::vector<QStringList> slidesWorth(const QString& templatePath, const Section& section, const QStringList& lines,
                                     layout::TextLayouter& layouter)
{
    const StatementText statement(templatePath, section.key());
    return continuationPieces(lines, [&](const QStringList& piece) {
        return fitSectionText(statement.shapeText(piece), layouter).fits;
    });
}

} // namespace

QStringList statementLines(const QString& statement)
{
    return statement.split(kLineBreak);
}

QString productLine(const QString& productName)
{
    QString name = productName;
    name.remove(kMarketingPlan, Qt::CaseSensitive);
    return name + kLineBreak + kMarketingPlan;
}

QString continuedTitle(const QString& title)
{
    return title + QCoreApplication::translate("MarketingPlanGenerator", kContinuedSuffix);
}

GenerationOutcome generateMarketPlan(const BuilderContext& context, const GenerationRequest& request,
                                     const Plan& plan)
{
    GuardedProcedure proc(context.failures, kGenerateMarketPlanLocation);
    const QString powerPoint = QLatin1String(kPowerPointClass);
    GenerationOutcome outcome;
    outcome.deckPath = request.workingCopyPath.isEmpty() ? request.templatePath : request.workingCopyPath;
    int rowsDone = 0;

    Ref<Application> created;
    Ref<Application> attached;
    Ref<Presentation> presentation;
    QStringList lines;
    std::vector<QStringList> pieces;
    int inserted = 0; // continuation slides so far
    std::optional<layout::TextLayouter> layouter;

    proc.step(100, [&] { created = context.runtime.CreateObject(powerPoint); });
    proc.step(102, [&] { attached = context.runtime.GetObject(powerPoint); });
    proc.step(104, [&] {
        if (!request.workingCopyPath.isEmpty())
            copyReplacing(request.templatePath, request.workingCopyPath);
    });
    proc.step(106, [&] { created->setVisible(true); });
    proc.step(108, [&] {
        presentation = attached->presentations()->open(outcome.deckPath);
        outcome.opened = true;
    });

    for (const FillRow& row : slideFillMap()) {
        switch (row.source) {
        case FillSource::ProductLine:
            proc.step(row.writeLine, [&] {
                const QString text = productLine(plan.productName);
                shapeText(presentation, row, inserted)->setText(text);
            });
            break;
        case FillSource::PlanTitle:
            proc.step(row.writeLine, [&] {
                const QString text = plan.planTitle;
                shapeText(presentation, row, inserted)->setText(text);
            });
            break;
        case FillSource::Statement: {
            const Section& section = *row.section;
            if (proc.test(row.testLine, [&] { return !plan.statement(section).isEmpty(); })) {
                proc.step(row.splitLine, [&] { lines = statementLines(plan.statement(section)); });
                pieces = {lines};
                QString title;
                // Without a title to continue under, the section stays whole on its slide.
                if (request.continueLongSections) {
                    proc.step(row.splitLine, [&] {
                        Ref<Slide> slide = presentation->slides()->item(static_cast<qint16>(row.slide + inserted));
                        title = slide->shapes()->title()->textFrame()->textRange()->text();
                        if (!layouter)
                            layouter.emplace();
                        pieces = slidesWorth(request.templatePath, section, lines, *layouter);
                    });
                }
                proc.step(row.writeLine, [&] {
                    Ref<TextRange> range = shapeText(presentation, row, inserted);
                    updateText(context, pieces.front(), range);
                });
                for (size_t piece = 1; piece < pieces.size(); ++piece) {
                    proc.step(row.writeLine, [&] {
                        Ref<Slide> copy = presentation->slides()->item(static_cast<qint16>(row.slide + inserted))->duplicate();
                        ++inserted;
                        copy->shapes()->title()->textFrame()->textRange()->setText(continuedTitle(title));
                        Ref<TextRange> range = rowText(copy, row);
                        updateText(context, pieces[piece], range);
                    });
                }
            }
            break;
        }
        }
        // Told before the pause, whose event processing lets a window show it.
        if (context.progress)
            context.progress(++rowsDone, kFillRowCount);
        proc.step(row.pauseLine, [&] { pause(context, kPauseSeconds); });
        if (context.stopRequested && context.stopRequested()) {
            outcome.stopped = true;
            break;
        }
    }

    proc.step(224, [&] { created->activeWindow()->selection()->unselect(); });
    proc.step(226, [&] { presentation->slides()->item(1)->select(); });
    // Given up in reverse order of taking; nothing is saved, closed or quit.
    proc.step(228, [&] { presentation.release(); });
    proc.step(230, [&] { attached.release(); });
    proc.step(232, [&] { created.release(); });
    return outcome;
}

} // namespace quillora
