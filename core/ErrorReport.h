#pragma once
// The error report that guarded procedures show when one of their numbered
// steps fails, and the mechanism that runs those steps.

#include "core/Platform.h"

#include <QString>
#include <utility>

namespace quillora {

inline constexpr char kSupportAddress[] = "support@tarnvale.example";
inline constexpr char kErrorReportTitle[] = "Application Error";

// description, CR LF, location, "at line ", line, CR CR, request with address.
QString errorReportMessage(const QString& description, const QString& location, int line);

class ErrorReport {
public:
    explicit ErrorReport(MessageBoxes& messages) : m_messages(messages) {}
    // Shows the modal report (warning icon, OK only) and returns once it is dismissed.
    void show(const QString& description, const QString& location, int line);

private:
    MessageBoxes& m_messages;
};

// A procedure made of numbered steps. A step that throws is reported under its
// line and the procedure goes on with the next step; nothing leaves early.
//
//   GuardedProcedure proc(report, "in Brindlecoe2021/08/31.Form1.Form_Load ");
//   proc.step(104, [&] { setWindowTitle(...); });
//   if (proc.test(106, [&] { return fileExists(path); }))
//       proc.step(108, [&] { loadCursor(path); });
//
// A failure inside a callee without its own guard surfaces here and is
// reported under the calling step's line.
class GuardedProcedure {
public:
    GuardedProcedure(ErrorReport& report, QString location)
        : m_report(report), m_location(std::move(location))
    {
    }

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

    const QString& location() const { return m_location; }

private:
    void reportCurrent(int line);

    ErrorReport& m_report;
    QString m_location;
};

} // namespace quillora
