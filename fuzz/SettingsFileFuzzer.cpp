// Feeds arbitrary bytes to the plan store as its settings file, as a crash of
// another program or a careless hand edit might leave it. Reading every key
// must work; a write must succeed, read back exactly and change no other
// key's value.

#include "plan/DamagedSettingsFile.h"
#include "plan/PlanStore.h"
#include "plan/SectionCatalogue.h"
#include "core/RuntimeError.h"

#include <QByteArrayView>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace quillora;

namespace {

QString settingsFile;

QStringList planKeys()
{
    QStringList keys{QStringLiteral("Company Name"), QStringLiteral("Marketing Plan")};
    for (const Section& section : allSections())
        keys << section.key();
    return keys;
}

[[noreturn]] void fail(const char* what, const QString& key)
{
    std::fprintf(stderr, "%s: %s\n", what, key.toUtf8().constData());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // tmpfs when there is one: every write syncs the file to disk.
    static QTemporaryDir home(QDir("/dev/shm").exists() ? QStringLiteral("/dev/shm/quillora-fuzz-XXXXXX")
                                                        : QString());
    qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
    QDir().mkpath(home.path() + QStringLiteral("/Tarnvale"));
    settingsFile = home.path() + QStringLiteral("/Tarnvale/Quillora.conf");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // A serialised value ("@Variant(...)") goes to Qt's own QDataStream, whose
    // lengths may claim gigabytes: outside the sanitizer the allocation fails
    // and Qt gives up on the value (PlanStoreGarbage keeps such a file as a
    // case), under it the claimed memory is really mapped. Left to that test.
    if (QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)).contains("@Variant("))
        return -1;
    static const QStringList keys = planKeys();
    static const std::unique_ptr<PlanStore> store = openUserPlanStore();
    static qint64 run = 0;
    ++run;
    {
        QFile file(settingsFile);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
        // Qt notices a changed settings file by its size and modification
        // time (to the millisecond); inputs of one size come faster than that.
        file.setFileTime(QDateTime::fromSecsSinceEpoch(1000000000 + run), QFileDevice::FileModificationTime);
    }

    const QString absent = QStringLiteral("\x01absent");
    QStringList before;
    for (const QString& key : keys)
        before << store->value(key, absent);

    const QString& written = keys[static_cast<int>(run % keys.size())];
    const QString value = QStringLiteral("Line one\r\nLine \u2019two\u2019 ") + QString::number(run);
    try {
        store->write(written, value);
    } catch (const RuntimeError& error) {
        fail("write refused", error.description());
    }

    for (int i = 0; i < keys.size(); ++i) {
        const QString now = store->value(keys[i], absent);
        if (keys[i] == written) {
            if (now != value)
                fail("written value reads back differently", keys[i]);
        } else if (now != before[i]) {
            fail("a write changed another key", keys[i]);
        }
    }
    // A damaged input was kept beside the file before the write; one run's copy is enough.
    const QFileInfo file(settingsFile);
    for (const QString& kept :
         file.dir().entryList({file.fileName() + QLatin1String(kDamagedCopyMarker) + QLatin1Char('*')}, QDir::Files))
        file.dir().remove(kept);
    return 0;
}
