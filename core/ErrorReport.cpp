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
        return RuntimeError::tr("Out of memory");
    } catch (const std::exception& e) {
        return QString::fromLocal8Bit(e.what());
    } catch (...) {
        return RuntimeError::tr("Unexpected error");
    }
}

QString errorReportMessage(const QString& description, const QString& location, int line)
{
    return description + QStringLiteral("\r\n") + location + ErrorReport::tr("at line ")
         + QString::number(line) + QStringLiteral("\r\r")
         + ErrorReport::tr("Please email screenshot of this message to ")
         + QLatin1String(kSupportAddress);
}

void ErrorReport::show(const QString& description, const QString& location, int line)
{
    m_messages.show(tr(kErrorReportTitle), errorReportMessage(description, location, line),
                    MessageIcon::Warning, MessageButtons::Ok);
}

void GuardedProcedure::reportCurrent(int line)
{
    const QString description = describeCurrentException();
    m_sink.stepFailed(m_location, line, description);
}

} // namespace quillora
