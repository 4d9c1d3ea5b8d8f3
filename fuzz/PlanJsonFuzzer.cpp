// Feeds arbitrary bytes to the JSON plan-file reader. It must either refuse
// with a RuntimeError or give a plan whose keys are plan keys and whose
// statements use only "\r\n" line breaks unless the file asks for exact
// text; the in-memory plan store made from the plan must serve every
// statement and keep what is written to it; and the plan written as a plan
// file must read back exactly as it is.
// (Reading the bytes from a file is left to the unit tests: the reader asks
// for the whole size limit at once, which the sanitizer makes costly on
// every input.)

#include "plan/Plan.h"
#include "plan/PlanFile.h"
#include "plan/PlanFileWriter.h"
#include "plan/SectionCatalogue.h"
#include "core/RuntimeError.h"

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

using namespace quillora;

namespace {

[[noreturn]] void fail(const char* what, const QString& detail)
{
    std::fprintf(stderr, "%s: %s\n", what, detail.toUtf8().constData());
    std::abort();
}

bool onlyCrLfBreaks(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r') {
            if (i + 1 >= text.size() || text[i + 1] != u'\n')
                return false;
            ++i;
        } else if (text[i] == u'\n') {
            return false;
        }
    }
    return true;
}

void checkPlanValue(const PlanDocument& document)
{
    const Plan plan = planOf(document);
    if (plan.productName != document.productName)
        fail("the plan does not hold the product name", document.productName);
    if (plan.planTitle != document.planTitle)
        fail("the plan does not hold the plan title", document.planTitle);
    for (const Section& section : allSections()) {
        const auto stated = document.statements.find(section.key());
        const QString expected = stated == document.statements.end() ? QString() : stated->second;
        if (plan.statement(section) != expected)
            fail("the plan does not hold a statement", section.key());
    }
    if (planOf(documentOf(plan)) != plan)
        fail("the plan does not come back from its document", document.productName);
}

void checkWrittenFile(const PlanDocument& plan)
{
    const QByteArray written = planFileJson(plan);
    PlanDocument back;
    try {
        back = parsePlanJson(written, QStringLiteral("written.json"));
    } catch (const RuntimeError& error) {
        fail("the written plan file is refused", error.description());
    }
    if (back.productName != plan.productName || back.hasProductName != plan.hasProductName)
        fail("the written product name comes back changed", plan.productName);
    if (back.planTitle != plan.planTitle || back.hasPlanTitle != plan.hasPlanTitle)
        fail("the written plan title comes back changed", plan.planTitle);
    if (back.statements != plan.statements)
        fail("the written statements come back changed", QString::fromUtf8(written));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const QSet<QString> keys = [] {
        QSet<QString> all;
        for (const Section& section : allSections())
            all.insert(section.key());
        return all;
    }();

    const QByteArray json(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    PlanDocument plan;
    try {
        plan = parsePlanJson(json, QStringLiteral("plan.json"));
    } catch (const RuntimeError& error) {
        if (!error.description().startsWith(QStringLiteral("the plan file \"plan.json\" ")))
            fail("refusal does not name the file", error.description());
        return 0;
    }
    const bool exact = QJsonDocument::fromJson(json).object().contains(QLatin1String(kLineBreaksField));
    for (const auto& [key, statement] : plan.statements) {
        if (!keys.contains(key))
            fail("statement under a key that is not a plan key", key);
        if (!exact && !onlyCrLfBreaks(statement))
            fail("statement with a line break other than CR LF", key);
    }
    checkPlanValue(plan);
    checkWrittenFile(plan);
    return 0;
}
