// Fills the template with a plan made of arbitrary text and reads the filled
// deck back: every plan the fill keeps must come back byte for byte, as
// plan and as plan file. The input is UTF-8 (invalid sequences read as
// U+FFFD) cut at U+001E into the product name, the plan title and the
// sixteen statements; a carriage return outside a "\r\n" pair, a vertical
// tab, a line feed opening a statement's later line and "Marketing Plan" in
// the product name are what the fill cannot keep, so they are turned into
// what it can first.

#include "builder/DeckReader.h"
#include "builder/MarketingPlanGenerator.h"
#include "cli/GeneratorFiller.h"
#include "core/FileNames.h"
#include "deck/Deck.h"
#include "plan/PlanFileWriter.h"
#include "plan/SectionCatalogue.h"

#include <QByteArray>
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
    std::fprintf(stderr, "%s\n--- expected\n%s\n--- read back\n%s\n", what, expected.constData(), got.constData());
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

PlanDocument planFrom(const QByteArray& input)
{
    const QStringList fields = QString::fromUtf8(input).split(QChar(0x1e));
    PlanDocument plan;
    plan.productName = keepable(fields.value(0)).remove(QStringLiteral("Marketing Plan"));
    // Taking it out once can join its neighbours into another one.
    while (plan.productName.contains(QStringLiteral("Marketing Plan")))
        plan.productName.remove(QStringLiteral("Marketing Plan"));
    plan.planTitle = keepable(fields.value(1));
    plan.hasProductName = plan.hasPlanTitle = true;
    int field = 2;
    for (const Section& section : allSections()) {
        QString statement = keepable(fields.value(field++));
        while (statement.contains(QLatin1String("\r\n\n")))
            statement.replace(QLatin1String("\r\n\n"), QLatin1String("\r\n"));
        plan.statements[section.key()] = statement;
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
    const PlanDocument plan = planFrom(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    if (!fillKeepsPlan(plan))
        fail("the fill is said not to keep a plan made to be kept", planFileJson(plan), {});
    const std::unique_ptr<PlanStore> store = makeInMemoryPlanStore(plan);
    const FilledDeck filled = generatorFiller()(templatePath, TitleTexts{plan.productName, plan.planTitle}, *store);
    if (filled.bytes.isEmpty() || !filled.failures.empty())
        fail("the fill failed", planFileJson(plan), filled.failures.empty() ? QByteArray() : filled.failures.front().description.toUtf8());
    const std::unique_ptr<deck::Presentation> deck = deck::Presentation::fromBytes(filled.bytes);
    const std::unique_ptr<deck::Presentation> templateDeck = deck::Presentation::open(templatePath);
    const DeckReading reading = readPlanFromDeck(*deck, templateDeck.get());
    if (!reading.leftOut.isEmpty())
        fail("a shape of the filled deck was not found", planFileJson(plan), reading.leftOut.join(u'\n').toUtf8());
    const PlanDocument& back = reading.plan;
    if (back.productName != plan.productName || back.planTitle != plan.planTitle || back.statements != plan.statements
        || !back.hasProductName || !back.hasPlanTitle)
        fail("the plan read back differs", planFileJson(plan), planFileJson(back));
    if (planFileJson(back) != planFileJson(plan))
        fail("the plan file read back differs", planFileJson(plan), planFileJson(back));
    return 0;
}
