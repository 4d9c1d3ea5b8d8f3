#include "core/ErrorReport.h"
#include "core/RuntimeError.h"

#include <new>

namespace quillora {

QString describeCurrentException()
{
    try {
        throw;
    } catch (const RuntimeError& e) {
        return e.description();
    } catch (const std::bad_alloc&) {
        return QStringLiteral("Out of memory");
    } catch (const std::exception& e) {
        return QString::fromLocal8Bit(e.what());
    } catch (...) {
        return QStringLiteral("Unexpected error");
    }
}

QString errorReportMessage(const QString& description, const QString& location, int line)
{
    return description + QStringLiteral("\r\n") + location + QStringLiteral("at line ")
         + QString::number(line) + QStringLiteral("\r\r")
         + QStringLiteral("Please email screenshot of this message to ")
         + QLatin1String(kSupportAddress);
}

void ErrorReport::show(const QString& description, const QString& location, int line)
{
    m_messages.show(QLatin1String(kErrorReportTitle), errorReportMessage(description, location, line),
                    MessageIcon::Warning, MessageButtons::Ok);
}

void GuardedProcedure::reportCurrent(int line)
{
    const QString description = describeCurrentException();
    m_sink.stepFailed(m_location, line, description);
}

} // namespace quillora
