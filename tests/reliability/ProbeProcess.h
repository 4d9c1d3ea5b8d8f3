#pragma once
// Runs the plan-store probe (plan_store_probe) as a separate process against
// one settings home, so a test sees what another run of the program would
// find on disk rather than QSettings' in-process cache.

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

    std::unique_ptr<QProcess> start(const QStringList& args) const
    {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_path);
        process->setProcessEnvironment(env);
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process->start(kProbe, args);
        return process;
    }

    ProbeResult run(const QStringList& args) const
    {
        auto process = start(args);
        ProbeResult result;
        if (!process->waitForFinished(60000)) {
            process->kill();
            process->waitForFinished();
            return result;
        }
        result.exitCode = process->exitStatus() == QProcess::NormalExit ? process->exitCode() : -1;
        result.output = process->readAllStandardOutput().trimmed();
        return result;
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
        QFile f(file());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(contents);
    }

private:
    QTemporaryDir m_owned;
    QString m_path;
};

} // namespace quillora::testing
