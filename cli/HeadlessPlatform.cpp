#include "cli/HeadlessPlatform.h"

#include "core/RuntimeError.h"

#include <QRegularExpression>

namespace quillora {

HeadlessPlatform::HeadlessPlatform(QString tempFolder, QString programFolder)
    : m_environment(std::move(tempFolder), std::move(programFolder)),
      m_platform{&m_messages, &m_clock, &m_events, &m_random, &m_desktop, &m_environment, &m_exit}
{
}

MessageAnswer HeadlessPlatform::SilentMessages::show(const QString&, const QString& text, MessageIcon,
                                                     MessageButtons buttons)
{
    texts << text;
    // Nobody is there to agree to anything.
    return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
}

double HeadlessPlatform::InstantClock::secondsSinceMidnight()
{
    m_nowMs += 1000;
    return double(m_nowMs % (24 * 3600 * 1000)) / 1000.0;
}

qint64 HeadlessPlatform::InstantClock::monotonicMs()
{
    m_nowMs += 1000;
    return m_nowMs;
}

void HeadlessPlatform::InstantClock::sleepMs(qint64 ms)
{
    if (ms > 0)
        m_nowMs += ms;
}

bool HeadlessPlatform::CapturingDesktop::openFile(const QString& path)
{
    opened = path;
    return true;
}

std::optional<QString> HeadlessPlatform::PrivateFolders::variable(const QString& name)
{
    if (name == QLatin1String("TEMP") || name == QLatin1String("TMP") || name == QLatin1String("TMPDIR"))
        return m_temp;
    return std::nullopt;
}

void HeadlessPlatform::RefusingExit::endNow(int status)
{
    throw RuntimeError(QStringLiteral("the deck generator tried to end the program (status %1)").arg(status));
}

QString plainMessage(const QString& messageText)
{
    static const QRegularExpression report(
        QStringLiteral("^(.*)\r\nin \\S*?([A-Za-z_][A-Za-z0-9_]*) at line (\\d+)\r\r"),
        QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = report.match(messageText);
    if (match.hasMatch()) {
        QString description = match.captured(1).simplified();
        while (description.endsWith(QLatin1Char('.')))
            description.chop(1);
        return QStringLiteral("%1 (%2, step %3)").arg(description, match.captured(2), match.captured(3));
    }
    return messageText.simplified();
}

} // namespace quillora
