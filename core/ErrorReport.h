#pragma once
// The error report that guarded procedures show when one of their numbered
// steps fails, and the mechanism that runs those steps.

#include "core/Platform.h"
#include "core/ReportLocations.h"

#include <QCoreApplication>
#include <QString>
#include <utility>
#include <vector>

namespace quillora {

inline constexpr char kSupportAddress[] = "support@tarnvale.example";
inline constexpr char kErrorReportTitle[] = QT_TRANSLATE_NOOP("ErrorReport", "Application Error");

// description, CR LF, location, "at line ", line, CR CR, request with address.
QString errorReportMessage(const QString& description, const QString& location, int line);

// Where a guarded procedure sends each failed step: shown to the user, or
// kept for whoever ran the procedure.
class FailureSink {
public:
    virtual ~FailureSink() = default;
    virtual void stepFailed(const ReportLocation& where, int line, const QString& description) = 0;
};

// The window's sink: each failure as the modal "Application Error" report.
class ErrorReport final : public FailureSink {
    Q_DECLARE_TR_FUNCTIONS(ErrorReport)

public:
    explicit ErrorReport(MessageBoxes& messages) : m_messages(messages) {}
    // Shows the modal report (warning icon, OK only) and returns once it is dismissed.
    void show(const QString& description, const QString& location, int line);
    void stepFailed(const ReportLocation& where, int line, const QString& description) override
    {
        show(description, QLatin1String(where.text), line);
    }

private:
    MessageBoxes& m_messages;
};

// One failed step, as a sink that collects them keeps it.
struct StepFailure {
    QString procedure;
    int line = 0;
    QString description;
};

// The sink of callers without a window: keeps every failure, in order.
class CollectedFailures final : public FailureSink {
public:
    void stepFailed(const ReportLocation& where, int line, const QString& description) override
    {
        failures.push_back({QLatin1String(where.procedure), line, description});
    }
    std::vector<StepFailure> failures;
};

// A procedure made of numbered steps. A step that throws is reported under its
// line and the procedure goes on with the next step; nothing leaves early.
//
//   GuardedProcedure proc(sink, kStartUpLocation);
//   proc.step(104, [&] { setWindowTitle(...); });
//   if (proc.test(106, [&] { return fileExists(path); }))
//       proc.step(108, [&] { loadCursor(path); });
//
// A failure inside a callee without its own guard surfaces here and is
// reported under the calling step's line.
class GuardedProcedure {
public:
    GuardedProcedure(FailureSink& sink, const ReportLocation& location) : m_sink(sink), m_location(location) {}

    template <class Step>
    void step(int line, Step&& body)
    {
        try {
            std::forward<Step>(body)();
        } catch (...) {
            reportCurrent(line);
        }
    }

    // The condition of an If. When evaluating it fails, the failure is
    // reported and the If's body runs: the statement after a failing
    // condition is the first one of the body.
    template <class Condition>
    bool test(int line, Condition&& condition)
    {
        try {
            return static_cast<bool>(std::forward<Condition>(condition)());
        } catch (...) {
            reportCurrent(line);
            return true;
        }
    }

    const ReportLocation& location() const { return m_location; }

private:
    void reportCurrent(int line);

    FailureSink& m_sink;
    ReportLocation m_location;
};

} // namespace quillora
