#pragma once
// Runs the plan-store probe (plan_store_probe) as a separate process against
// one settings home, so a test sees what another run of the program would
// find on disk rather than QSettings' in-process cache.

#include "tests/support/ChildProcess.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace quillora::testing {

inline const QString kProbe = QStringLiteral(QUILLORA_BIN_DIR "/plan_store_probe");

struct ProbeResult {
    int exitCode = -1;
    QByteArray output;
};

// One settings home shared by the probe processes of a test.
class SettingsHome {
public:
    explicit SettingsHome(QString path = QString())
        : m_path(path.isEmpty() ? m_owned.path() : std::move(path))
    {
    }

    QString path() const { return m_path; }
    QString folder() const { return m_path + QStringLiteral("/Tarnvale"); }
    QString file() const { return folder() + QStringLiteral("/Quillora.conf"); }

    std::unique_ptr<QProcess> start(const QStringList& args) const { return startChild(kProbe, args, options()); }

    ProbeResult run(const QStringList& args) const
    {
        const ChildRun child = runChild(kProbe, args, options());
        return {child.exitCode, child.out.trimmed()};
    }

    void save(const QString& key, const QString& value) const
    {
        const ProbeResult r = run({QStringLiteral("save"), key, value});
        ASSERT_EQ(r.exitCode, 0) << r.output.constData();
    }

    // What a fresh process reads for each key (null when absent).
    QJsonObject dump(const QStringList& keys) const
    {
        QStringList args{QStringLiteral("dump")};
        args += keys;
        const ProbeResult r = run(args);
        EXPECT_EQ(r.exitCode, 0);
        return QJsonDocument::fromJson(r.output).object();
    }

    void writeRaw(const QByteArray& contents) const
    {
        QDir().mkpath(folder());
        writeFile(file(), contents);
    }

private:
    // The probe's errors go to the test's own output.
    ChildOptions options() const
    {
        ChildOptions options;
        options.environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_path);
        options.channels = QProcess::ForwardedErrorChannel;
        return options;
    }

    QTemporaryDir m_owned;
    QString m_path;
};

// Puts a plain file where the settings folder should be, for as long as it
// lives; the real folder waits aside and comes back afterwards.
class FolderReplacedByFile {
public:
    explicit FolderReplacedByFile(const QString& folder) : m_folder(folder)
    {
        m_hadFolder = QDir(folder).exists();
        if (m_hadFolder)
            QDir().rename(folder, aside());
        QFile f(folder);
        f.open(QIODevice::WriteOnly);
        f.write("not a folder\n");
    }
    ~FolderReplacedByFile()
    {
        QFile::remove(m_folder);
        if (m_hadFolder)
            QDir().rename(aside(), m_folder);
    }

private:
    QString aside() const { return m_folder + QStringLiteral(".aside"); }
    QString m_folder;
    bool m_hadFolder = false;
};

} // namespace quillora::testing
