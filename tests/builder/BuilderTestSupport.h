#pragma once
// Small helpers the builder tests share: fixed slide-1 texts, a run as the
// window makes it, the report lines a run showed, and readable texts in
// failure output.

#include "builder/MarketingPlanGenerator.h"
#include "builder/WorkingCopy.h"
#include "core/ErrorReport.h"
#include "plan/Plan.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/MemorySettings.h"

#include <QRegularExpression>
#include <map>
#include <memory>
#include <ostream>
#include <vector>

// Failing expectations print texts readably, control characters escaped.
inline void PrintTo(const QString& text, std::ostream* out)
{
    QString shown = text;
    shown.replace(QLatin1Char('\r'), QLatin1String("\\r")).replace(QLatin1Char('\n'), QLatin1String("\\n"))
        .replace(QLatin1Char('\t'), QLatin1String("\\t")).replace(QLatin1Char('\v'), QLatin1String("\\v"));
    *out << '"' << shown.toStdString() << '"';
}

namespace quillora::testing {

// The plan a test fills from, set key by key as the store's keys name its texts.
struct TestPlan {
    Plan value;
    TestPlan* operator->() { return this; }
    void write(const QString& key, const QString& text) { value.set(key, text); }
    operator const Plan&() const { return value; } // NOLINT(google-explicit-constructor)
};

// A run as the window makes it, over fake doors: each failed step shown as
// an error report, pauses on the fake clock and event pump, the template
// beside the program and the working copy in TEMP. Passes for the context
// wherever one is asked for.
struct WindowRun {
    WindowRun(FakePlatform& fake, automation::AutomationRuntime& runtime)
        : report(fake.messages), context{runtime, report, &fake.clock, &fake.events},
          environment(fake.environment)
    {
    }
    operator const BuilderContext&() const { return context; } // NOLINT(google-explicit-constructor)
    GenerationRequest request() const { return {templateDeckPath(environment), workingCopyPath(environment)}; }

    ErrorReport report;
    BuilderContext context;
    Environment& environment;
};

inline GenerationOutcome generateMarketPlan(const WindowRun& run, const Plan& plan)
{
    return generateMarketPlan(run.context, run.request(), plan);
}

// The report lines of the error reports shown for one procedure, in order.
inline std::vector<int> reportedLines(const RecordingMessageBoxes& boxes, const ReportLocation& where)
{
    const QString location = QLatin1String(where.text);
    const QRegularExpression re(QRegularExpression::escape(location) + QStringLiteral("at line (\\d+)\r\r"));
    std::vector<int> lines;
    for (const ShownMessage& m : boxes.shown) {
        const QRegularExpressionMatch match = re.match(m.text);
        if (m.title == QLatin1String("Application Error") && match.hasMatch())
            lines.push_back(match.captured(1).toInt());
    }
    return lines;
}

// The description (first line) of the n-th message shown.
inline QString descriptionOf(const ShownMessage& m)
{
    return m.text.section(QStringLiteral("\r\n"), 0, 0);
}

} // namespace quillora::testing
