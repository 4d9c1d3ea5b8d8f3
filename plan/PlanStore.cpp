#include "plan/PlanStore.h"
#include "shell/RuntimeError.h"

#include <QSettings>

namespace quillora {
namespace {

class QSettingsBackend final : public SettingsBackend {
public:
    QSettingsBackend()
#ifdef Q_OS_WIN
        // The key the original program's settings functions used, so that a
        // plan written by an earlier Windows version is found again.
        : m_settings(QStringLiteral("HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\Tarnvale\\Quillora"),
                     QSettings::NativeFormat)
#else
        : m_settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tarnvale"),
                     QStringLiteral("Quillora"))
#endif
    {
    }

    bool read(const QString& key, QString& value) override
    {
        // sync() picks up what another instance of the program wrote since.
        m_settings.sync();
        const QVariant stored = m_settings.value(key);
        if (!stored.isValid())
            return false;
        value = stored.toString();
        return true;
    }

    void write(const QString& key, const QString& value) override
    {
        m_settings.setValue(key, value);
        m_settings.sync();
        switch (m_settings.status()) {
        case QSettings::NoError:
            return;
        case QSettings::AccessError:
            throw RuntimeError(QStringLiteral("Permission denied"));
        case QSettings::FormatError:
            throw RuntimeError(QStringLiteral("Path/File access error"));
        }
    }

private:
    QSettings m_settings;
};

std::unique_ptr<SettingsBackend>& currentBackend()
{
    static std::unique_ptr<SettingsBackend> backend;
    if (!backend)
        backend = makeQSettingsBackend();
    return backend;
}

} // namespace

std::unique_ptr<SettingsBackend> makeQSettingsBackend()
{
    return std::make_unique<QSettingsBackend>();
}

std::unique_ptr<SettingsBackend> setPlanStoreBackend(std::unique_ptr<SettingsBackend> backend)
{
    std::unique_ptr<SettingsBackend> previous = std::move(currentBackend());
    currentBackend() = std::move(backend);
    return previous;
}

QString GetPlanSetting(const QString& key, const QString& defaultValue)
{
    QString value;
    if (!currentBackend()->read(key, value))
        return defaultValue;
    return value;
}

void SavePlanSetting(const QString& key, const QString& value)
{
    currentBackend()->write(key, value);
}

} // namespace quillora
