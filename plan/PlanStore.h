#pragma once
// The plan store: the program's only persistent data, a flat set of named
// text values kept per user under application "Tarnvale", section "Quillora".
// Every write reaches the disk before it returns; nothing is cached here.

#include <QString>
#include <memory>

namespace quillora {

// Where the values physically live. QSettings by default: a file under the
// user's configuration folder on Linux and macOS, the registry key that
// earlier Windows versions wrote on Windows.
class SettingsBackend {
public:
    virtual ~SettingsBackend() = default;
    // False when nothing is stored under the key.
    virtual bool read(const QString& key, QString& value) = 0;
    // Throws RuntimeError when the value could not be made durable.
    virtual void write(const QString& key, const QString& value) = 0;
};

std::unique_ptr<SettingsBackend> makeQSettingsBackend();

// Replaces the backend every planSetting/savePlanSetting goes to; returns
// the previous one. For tests and for tools that keep a plan elsewhere.
std::unique_ptr<SettingsBackend> setPlanStoreBackend(std::unique_ptr<SettingsBackend> backend);

QString planSetting(const QString& key, const QString& defaultValue = QString());
void savePlanSetting(const QString& key, const QString& value);

// Where the QSettings store lives (a file on Linux): it names the plan a
// window holds, whichever backend is in use.
QString planStoreFile();

} // namespace quillora
