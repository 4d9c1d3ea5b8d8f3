// Fills the template with a plan of arbitrary text (UTF-8 cut at U+001E into
// the two titles and sixteen statements), made keepable first (fillKeepsPlan),
// and reads the deck back: the plan must come back byte for byte.

#include "builder/DeckReader.h"
#include "builder/MarketingPlanGenerator.h"
#include "cli/GeneratorFiller.h"
#include "core/FileNames.h"
#include "deck/Deck.h"
#include "plan/Plan.h"
#include "plan/PlanFileWriter.h"
#include "plan/SectionCatalogue.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

using namespace quillora;

namespace {

QString templatePath;

[[noreturn]] void fail(const char* what, const QByteArray& expected, const QByteArray& got)
{
    std::fprintf(stderr, "%s\n--- expected\n%s\n--- got\n%s\n", what, expected.constData(), got.constData());
    std::abort();
}

QString keepable(QString text)
{
    text.replace(QLatin1Char('\v'), QLatin1Char('\n'));
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('\r') && (i + 1 == text.size() || text[i + 1] != QLatin1Char('\n')))
            text.insert(i + 1, QLatin1Char('\n'));
    }
    return text;
}

Plan planFrom(const QByteArray& input)
{
    const QStringList fields = QString::fromUtf8(input).split(QChar(0x1e));
    Plan plan;
    plan.productName = keepable(fields.value(0)).remove(QStringLiteral("Marketing Plan"));
    // Taking it out once can join its neighbours into another one.
    while (plan.productName.contains(QStringLiteral("Marketing Plan")))
        plan.productName.remove(QStringLiteral("Marketing Plan"));
    plan.planTitle = keepable(fields.value(1));
    int field = 2;
    for (const Section& section : allSections()) {
        plan.statement(section) = keepable(fields.value(field++));
    }
    return plan;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(*argc, *argv);
    templatePath = QFileInfo(QString::fromLocal8Bit((*argv)[0])).absoluteDir().filePath(QLatin1String(kTemplateFileName));
    if (!QFileInfo::exists(templatePath)) {
        std::fprintf(stderr, "no template beside the fuzzer: %s\n", templatePath.toLocal8Bit().constData());
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const Plan plan = planFrom(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    const QByteArray planJson = planFileJson(documentOf(plan));
    if (!fillKeepsPlan(plan))
        fail("the fill is said not to keep a plan made to be kept", planJson, {});
    const FilledDeck filled = generatorFiller()(templatePath, plan, false);
    if (filled.bytes.isEmpty() || !filled.failures.empty())
        fail("the fill failed", planJson, filled.failures.empty() ? QByteArray() : filled.failures.front().description.toUtf8());
    const std::unique_ptr<deck::Presentation> deck = deck::Presentation::fromBytes(filled.bytes);
    const std::unique_ptr<deck::Presentation> templateDeck = deck::Presentation::open(templatePath);
    const DeckReading reading = readPlanFromDeck(*deck, templateDeck.get());
    if (!reading.leftOut.isEmpty() || !reading.missingKeys.isEmpty())
        fail("a shape of the filled deck was not found", planJson, reading.leftOut.join(u'\n').toUtf8());
    const QByteArray backJson = planFileJson(documentOf(reading.plan));
    if (reading.plan != plan)
        fail("the plan read back differs", planJson, backJson);
    return 0;
}
