#include "cli/SlidePreview.h"

#include "cli/AtomicOutput.h"
#include "cli/CommandText.h"
#include "core/RuntimeError.h"
#include "deck/Deck.h"
#include "layout/Fonts.h"
#include "render/SlideRenderer.h"

#include <QBuffer>

namespace quillora {

QCommandLineOption previewOption()
{
    return QCommandLineOption(QStringLiteral("preview"),
                              CommandText::tr("Write slide N of the filled deck as a PNG picture to OUT instead of "
                                              "the deck, drawn as the window's preview draws it (see --width)."),
                              QStringLiteral("N"));
}

QCommandLineOption previewWidthOption()
{
    return QCommandLineOption(QStringLiteral("width"),
                              CommandText::tr("With --preview: the picture's width in pixels, %1 to %2 (default %3); "
                                              "its height keeps the slide's proportions.")
                                  .arg(kSmallestPreviewWidth)
                                  .arg(kLargestPreviewWidth)
                                  .arg(kDefaultPreviewWidth),
                              QStringLiteral("W"));
}

void runPreviewJob(const PreviewJob& job, const DeckJobTools& tools)
{
    checkOutputPath(job.deck.outputPath, job.deck, tools.mayWrite);
    const QByteArray filled = fillDeck(job.deck.templatePath, job.deck.planPath, tools);
    QByteArray png;
    try {
        const std::unique_ptr<deck::Presentation> deck = deck::Presentation::fromBytes(filled);
        if (job.slide < 1 || job.slide > deck->slideCount()) {
            throw RuntimeError(CommandText::tr("there is no slide %1: the filled deck has slides 1 to %2")
                                   .arg(job.slide)
                                   .arg(deck->slideCount()));
        }
        render::SlideRenderer renderer(*deck);
        const QImage image = renderer.render(job.slide, job.width);
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (!image.save(&buffer, "PNG"))
            throw RuntimeError(CommandText::tr("the picture of slide %1 could not be made").arg(job.slide));
    } catch (const deck::DeckError& error) {
        throw RuntimeError(CommandText::tr("the filled deck cannot be drawn: %1").arg(error.description()));
    } catch (const layout::LayoutUnavailable& error) {
        throw RuntimeError(QString::fromUtf8(error.what()));
    }
    publishBytes(png, job.deck.outputPath);
}

} // namespace quillora
