// The plan store under storage faults: an unwritable settings location, a
// full or read-only file system, a settings file with garbage in it, two
// instances writing at once and a process killed in the middle of a write.
// In every case what was stored before must survive, checked from a fresh
// process that reads the disk, and a refusal gives the system's own reason.

#include "plan/DamagedSettingsFile.h"
#include "plan/PlanStore.h"
#include "core/RuntimeError.h"
#include "tests/reliability/ProbeProcess.h"
#include "tests/reliability/ProbeValues.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <cerrno>
#include <memory>

using namespace quillora;
using namespace quillora::testing;

namespace {

const QString kCompany = QStringLiteral("Company Name");
const QString kTitle = QStringLiteral("Marketing Plan");
const QString kSummary = QStringLiteral("FirstStatementMkt_0");
const QString kSchedule = QStringLiteral("SecondStatementMkt_7");
const QString kTwoLines = QStringLiteral("Line one\r\nLine \u2019two\u2019");

} // namespace

// ---------------------------------------------------------------------------
// Settings location unwritable (a file where the folder should be; a
// permission bit would not stop root).

TEST(PlanStoreUnwritable, RefusedWriteGivesTheSystemsReasonAndKeepsWhatWasStored)
{
    SettingsHome home;
    home.save(kCompany, QStringLiteral("Acme"));
    home.save(kSummary, kTwoLines);
    {
        FolderReplacedByFile blocked(home.folder());
        const ProbeResult r = home.run({QStringLiteral("save"), kCompany, QStringLiteral("Lost")});
        EXPECT_EQ(r.exitCode, 3);
        EXPECT_EQ(r.output, "error: " + qt_error_string(ENOTDIR).toUtf8());
    }
    const QJsonObject stored = home.dump({kCompany, kSummary});
    EXPECT_EQ(stored[kCompany].toString(), QStringLiteral("Acme"));
    EXPECT_EQ(stored[kSummary].toString(), kTwoLines);
}

TEST(PlanStoreUnwritable, WritesWorkAgainOnceTheLocationIsBack)
{
    // In this process, so the same store object sees the failure and the
    // recovery; the test main gave it a private settings home.
    SettingsHome home(qEnvironmentVariable("XDG_CONFIG_HOME"));
    const std::unique_ptr<PlanStore> store = openUserPlanStore();
    store->write(kCompany, QStringLiteral("Acme"));
    {
        FolderReplacedByFile blocked(home.folder());
        try {
            store->write(kTitle, QStringLiteral("Refused"));
            ADD_FAILURE() << "the write was taken";
        } catch (const PlanStoreError& refused) {
            EXPECT_EQ(refused.operation(), PlanStoreError::Operation::Write);
            EXPECT_EQ(refused.reason(), qt_error_string(ENOTDIR));
            EXPECT_EQ(refused.filePath(), home.file());
        }
        EXPECT_THROW(store->write(kTitle, QStringLiteral("Refused again")), PlanStoreError);
    }
    EXPECT_NO_THROW(store->write(kTitle, QStringLiteral("Spring launch")));
    EXPECT_EQ(store->value(kTitle), QStringLiteral("Spring launch"));

    const QJsonObject stored = home.dump({kCompany, kTitle});
    EXPECT_EQ(stored[kCompany].toString(), QStringLiteral("Acme"));
    EXPECT_EQ(stored[kTitle].toString(), QStringLiteral("Spring launch"));
}

TEST(PlanStoreUnwritable, SettingsFileThatIsAFolderGivesAnErrorNotACrash)
{
    SettingsHome home;
    QDir().mkpath(home.file());
    for (const char* operation : {"save", "dump"}) {
        const ProbeResult r = home.run({QLatin1String(operation), kCompany, QStringLiteral("Acme")});
        EXPECT_EQ(r.exitCode, 3) << r.output.constData();
        EXPECT_EQ(r.output, "error: " + qt_error_string(EISDIR).toUtf8());
    }
    EXPECT_TRUE(QFileInfo(home.file()).isDir());
}

// A file system that is full, or mounted read-only, under the settings home:
// a small tmpfs in a mount namespace of its own, so root is stopped too.
// Stores, breaks the file system, types ten keystrokes, mends it and reads back.
TEST(PlanStoreFileSystem, AFullOrReadOnlyFileSystemGivesItsOwnReasonAndLosesNothing)
{
    struct Fault {
        const char* name;
        const char* breakIt;
        const char* mendIt;
        int error;
    };
    const Fault faults[] = {
        {"full", R"(dd if=/dev/zero of="$H/filler" bs=4k 2>/dev/null; true)", R"(rm "$H/filler")", ENOSPC},
        {"read-only", R"(mount -o remount,ro "$H")", R"(mount -o remount,rw "$H")", EROFS},
    };
    for (const Fault& fault : faults) {
        SCOPED_TRACE(fault.name);
        QTemporaryDir mountPoint;
        const QString script = QStringLiteral(
            "mount -t tmpfs -o size=256k tmpfs \"$H\" || exit 99\n"
            "export XDG_CONFIG_HOME=\"$H\"\n"
            "\"$P\" save 'Company Name' Acme\n%1\n"
            "\"$P\" type 'Company Name' Lost 10\n%2\n"
            "\"$P\" dump 'Company Name'\n").arg(QLatin1String(fault.breakIt), QLatin1String(fault.mendIt));
        ChildOptions options;
        options.environment.insert(QStringLiteral("H"), mountPoint.path());
        options.environment.insert(QStringLiteral("P"), kProbe);
        const ChildRun run = runChild(QStringLiteral("unshare"), {QStringLiteral("-rm"), QStringLiteral("sh"),
                                                                   QStringLiteral("-c"), script}, options);
        if (!run.finished || run.exitCode == 99 || run.out.isEmpty())
            GTEST_SKIP() << "no private tmpfs here: " << run.err.constData();
        // Ten keystrokes, each refused for the same reason: the write's own.
        QList<QByteArray> expected{"ok"};
        for (int keystroke = 0; keystroke < 10; ++keystroke)
            expected << "write: " + qt_error_string(fault.error).toUtf8();
        expected << R"({"Company Name":"Acme"})";
        EXPECT_EQ(run.out.trimmed().split('\n'), expected);
    }
}

// ---------------------------------------------------------------------------
// A settings file with garbage lines, as a crash of another editor or a
// careless hand edit might leave it.

TEST(PlanStoreGarbage, StoredValuesStayReadableAndWritesWork)
{
    SettingsHome home;
    home.writeRaw("[General]\n"
                  "Company%20Name=Acme\n"
                  "this line has no equals sign\n"
                  "\x01\x02\xff\xfe binary junk\n"
                  "=a value without a key\n"
                  "Marketing%20Plan=Spring launch\n"
                  "[unterminated section\n"
                  "\n"
                  "[General]\n"
                  "FirstStatementMkt_0=\"Line one\\r\\nLine two\"\n");

    QJsonObject stored = home.dump({kCompany, kTitle, kSummary});
    EXPECT_EQ(stored[kCompany].toString(), QStringLiteral("Acme"));
    EXPECT_EQ(stored[kTitle].toString(), QStringLiteral("Spring launch"));
    EXPECT_EQ(stored[kSummary].toString(), QStringLiteral("Line one\r\nLine two"));

    // A write is accepted and reported as such, and loses nothing.
    home.save(kSchedule, QStringLiteral("Q3"));
    stored = home.dump({kCompany, kTitle, kSummary, kSchedule});
    EXPECT_EQ(stored[kCompany].toString(), QStringLiteral("Acme"));
    EXPECT_EQ(stored[kTitle].toString(), QStringLiteral("Spring launch"));
    EXPECT_EQ(stored[kSummary].toString(), QStringLiteral("Line one\r\nLine two"));
    EXPECT_EQ(stored[kSchedule].toString(), QStringLiteral("Q3"));

    // And the file it left behind is clean for the next run.
    home.save(kCompany, QStringLiteral("Acme Ltd"));
    stored = home.dump({kCompany, kSchedule});
    EXPECT_EQ(stored[kCompany].toString(), QStringLiteral("Acme Ltd"));
    EXPECT_EQ(stored[kSchedule].toString(), QStringLiteral("Q3"));
}

TEST(PlanStoreGarbage, AHandEditedValueWithCommasReadsAsWritten)
{
    SettingsHome home;
    home.writeRaw("[General]\nMarketing%20Plan=Launch, phase 2, Europe\nCompany%20Name=Acme\n");
    EXPECT_EQ(home.dump({kTitle})[kTitle].toString(), QStringLiteral("Launch, phase 2, Europe"));

    // Saved back, it is kept whole (and quoted from then on).
    home.save(kTitle, home.dump({kTitle})[kTitle].toString());
    EXPECT_EQ(home.dump({kTitle})[kTitle].toString(), QStringLiteral("Launch, phase 2, Europe"));
}

TEST(PlanStoreGarbage, ACorruptSerialisedValueLeavesTheOthersReadable)
{
    // Found by fuzzing: the length inside this value claims tens of
    // gigabytes. Qt gives up on it when the allocation fails (the sanitizer
    // stage lets allocations fail the same way, allocator_may_return_null).
    SettingsHome home;
    home.writeRaw("[General]\nCompany%20Name=Acme\n"
                  "FirstStatementMkt_4=@Variant(\\0\\0\\0\\tementMkt_4=@Variant(\\0\\0\\0\\n\\5\\0\\0\\x4\\0\\x0y)\n"
                  "Marketing%20Plan=Spring launch\n");
    QJsonObject stored = home.dump({kCompany, kTitle});
    EXPECT_EQ(stored[kCompany].toString(), QStringLiteral("Acme"));
    EXPECT_EQ(stored[kTitle].toString(), QStringLiteral("Spring launch"));

    home.save(kSchedule, QStringLiteral("Q3"));
    stored = home.dump({kCompany, kTitle, kSchedule});
    EXPECT_EQ(stored[kCompany].toString(), QStringLiteral("Acme"));
    EXPECT_EQ(stored[kTitle].toString(), QStringLiteral("Spring launch"));
    EXPECT_EQ(stored[kSchedule].toString(), QStringLiteral("Q3"));
}

QByteArray binaryNoise()
{
    QByteArray noise;
    for (int i = 0; i < 4096; ++i)
        noise.append(static_cast<char>((i * 7919 + 13) % 256));
    return noise;
}

QStringList keptCopies(const SettingsHome& home)
{
    return QDir(home.folder()).entryList({QStringLiteral("Quillora.conf") + QLatin1String(kDamagedCopyMarker) + '*'},
                                         QDir::Files);
}

TEST(PlanStoreGarbage, ADamagedFileIsKeptBesideItselfBeforeTheFirstWriteAndOnlyOnce)
{
    SettingsHome home;
    home.writeRaw(binaryNoise());

    const ProbeResult r = home.run({QStringLiteral("dump"), kCompany});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(keptCopies(home).isEmpty()) << "reading alone writes nothing";
    home.save(kCompany, QStringLiteral("Acme"));
    const QStringList kept = keptCopies(home);
    ASSERT_EQ(kept.size(), 1);
    EXPECT_EQ(readFile(home.folder() + '/' + kept[0]), binaryNoise());
    EXPECT_EQ(home.dump({kCompany})[kCompany].toString(), QStringLiteral("Acme"));
    home.save(kTitle, QStringLiteral("Spring launch"));
    EXPECT_EQ(keptCopies(home), kept);
}

TEST(PlanStoreGarbage, CopiesKeptInTheSameSecondAreNumberedAndNoneIsReplaced)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Quillora.conf"));
    const QDateTime when(QDate(2026, 12, 8), QTime(9, 5, 7));
    const QString base = file + QStringLiteral(".damaged-20261208-090507");
    for (const QString& expected : {base, base + QStringLiteral("-2"), base + QStringLiteral("-3")}) {
        writeFile(file, expected.toUtf8());
        EXPECT_EQ(keepDamagedCopy(file, when), expected);
        EXPECT_EQ(readFile(expected), expected.toUtf8());
    }
    EXPECT_EQ(readFile(base), base.toUtf8());
    EXPECT_THROW(keepDamagedCopy(dir.filePath(QStringLiteral("missing.conf")), when), PlanStoreError);
}

TEST(PlanStoreGarbage, ADamagedFileReadEarlierInTheSameRunIsStillKeptBeforeTheWrite)
{
    // Qt serves an unchanged file from its cache without reading it again,
    // so the damage seen by the read has to be remembered for the write.
    SettingsHome home(qEnvironmentVariable("XDG_CONFIG_HOME"));
    home.writeRaw(binaryNoise());
    const std::unique_ptr<PlanStore> store = openUserPlanStore();
    EXPECT_EQ(store->value(kCompany, QStringLiteral("absent")), QStringLiteral("absent"));
    EXPECT_EQ(store->value(kTitle, QStringLiteral("absent")), QStringLiteral("absent"));
    store->write(kCompany, QStringLiteral("Acme"));
    ASSERT_FALSE(store->keptDamagedCopy().isEmpty());
    EXPECT_TRUE(store->keptDamagedCopy().startsWith(home.file() + QLatin1String(kDamagedCopyMarker)));
    EXPECT_EQ(readFile(store->keptDamagedCopy()), binaryNoise());
    EXPECT_EQ(home.dump({kCompany})[kCompany].toString(), QStringLiteral("Acme"));

    // Damage seen by a read but mended before the write: nothing to keep.
    const QStringList kept = keptCopies(home);
    home.writeRaw(binaryNoise());
    EXPECT_EQ(store->value(kCompany, QStringLiteral("absent")), QStringLiteral("absent"));
    home.writeRaw("[General]\nCompany%20Name=Mended\n");
    store->write(kTitle, QStringLiteral("Spring launch"));
    EXPECT_EQ(keptCopies(home), kept);
    EXPECT_EQ(home.dump({kCompany})[kCompany].toString(), QStringLiteral("Mended"));
}

// ---------------------------------------------------------------------------
// Two instances of the program typing into the same store at once.

TEST(PlanStoreConcurrency, TwoWritersLoseNothingAndTheLastWriteOfEachKeyWins)
{
    SettingsHome home;
    home.save(kTitle, QStringLiteral("Untouched"));

    constexpr int kWrites = 150;
    const QString count = QString::number(kWrites);
    // Each writer has a key of its own and shares "Company Name" with the other.
    auto first = home.start({QStringLiteral("write"), QStringLiteral("A"), count,
                             QStringLiteral("FirstStatementMkt_1"), kCompany});
    auto second = home.start({QStringLiteral("write"), QStringLiteral("B"), count,
                              QStringLiteral("FirstStatementMkt_2"), kCompany});
    ASSERT_TRUE(first->waitForFinished(120000));
    ASSERT_TRUE(second->waitForFinished(120000));
    EXPECT_EQ(first->exitCode(), 0) << first->readAllStandardOutput().constData();
    EXPECT_EQ(second->exitCode(), 0) << second->readAllStandardOutput().constData();

    const QJsonObject stored =
        home.dump({kTitle, kCompany, QStringLiteral("FirstStatementMkt_1"), QStringLiteral("FirstStatementMkt_2")});
    EXPECT_EQ(stored[kTitle].toString(), QStringLiteral("Untouched"));
    EXPECT_EQ(stored[QStringLiteral("FirstStatementMkt_1")].toString(), probe::countedValue("A", kWrites - 1));
    EXPECT_EQ(stored[QStringLiteral("FirstStatementMkt_2")].toString(), probe::countedValue("B", kWrites - 1));
    const QString shared = stored[kCompany].toString();
    EXPECT_TRUE(shared == probe::countedValue("A", kWrites - 1) || shared == probe::countedValue("B", kWrites - 1))
        << shared.toStdString();
}

// ---------------------------------------------------------------------------
// The process killed in the middle of a write of a large value.

TEST(PlanStoreKilledWriter, EveryKeyHoldsAWholeOldOrNewValue)
{
    SettingsHome home;
    home.save(kCompany, QStringLiteral("Acme"));
    home.save(kSummary, kTwoLines);

    constexpr int kBytes = 1 << 20;
    // Kill at a different moment of the write cycle each round.
    for (int round = 0; round < 5; ++round) {
        SCOPED_TRACE(round);
        auto writer = home.start({QStringLiteral("grow"), kSchedule, QString::number(kBytes)});
        ASSERT_TRUE(writer->waitForStarted());
        int lastCompleted = -1;
        QByteArray pending;
        while (lastCompleted < 1) {
            ASSERT_TRUE(writer->waitForReadyRead(30000));
            pending += writer->readAllStandardOutput();
            qsizetype newline;
            while ((newline = pending.indexOf('\n')) >= 0) {
                lastCompleted = pending.left(newline).toInt();
                pending.remove(0, newline + 1);
            }
        }
        QThread::msleep(static_cast<unsigned long>(round * 11));
        writer->kill();
        ASSERT_TRUE(writer->waitForFinished(10000));
        pending += writer->readAllStandardOutput();
        for (const QByteArray& line : pending.split('\n'))
            if (!line.isEmpty())
                lastCompleted = line.toInt();

        const QJsonObject stored = home.dump({kCompany, kSummary, kSchedule});
        EXPECT_EQ(stored[kCompany].toString(), QStringLiteral("Acme"));
        EXPECT_EQ(stored[kSummary].toString(), kTwoLines);
        const int found = probe::wholePaddedValueIndex(stored[kSchedule].toString(), kBytes);
        EXPECT_TRUE(found == lastCompleted || found == lastCompleted + 1)
            << "found " << found << ", last completed " << lastCompleted;
    }

    // The lock the killed writer held does not hold up the next run.
    auto next = home.start({QStringLiteral("save"), kTitle, QStringLiteral("After the crash")});
    ASSERT_TRUE(next->waitForFinished(20000));
    EXPECT_EQ(next->exitCode(), 0);
    EXPECT_EQ(home.dump({kTitle})[kTitle].toString(), QStringLiteral("After the crash"));
}

TEST(PlanStoreKilledWriter, AnEmptyLockLeftByAWriterKilledWhileTakingItDoesNotFreezeWrites)
{
    // Left just now, and left an hour ago by a run that was killed then.
    for (const int ageSeconds : {0, 3600}) {
        SCOPED_TRACE(ageSeconds);
        SettingsHome home;
        home.save(kCompany, QStringLiteral("Acme"));
        // What a writer killed between creating its lock file and writing its
        // process id into it leaves behind.
        QFile lock(home.file() + QStringLiteral(".lock"));
        ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
        ASSERT_TRUE(lock.setFileTime(QDateTime::currentDateTime().addSecs(-ageSeconds), QFileDevice::FileModificationTime));
        lock.close();

        // QSettings alone waits 30 seconds for such a lock to go stale.
        auto writer = home.start({QStringLiteral("save"), kTitle, QStringLiteral("Spring launch")});
        ASSERT_TRUE(writer->waitForFinished(10000)) << "the write waited for the abandoned lock";
        EXPECT_EQ(writer->exitCode(), 0);
        const QJsonObject stored = home.dump({kCompany, kTitle});
        EXPECT_EQ(stored[kCompany].toString(), QStringLiteral("Acme"));
        EXPECT_EQ(stored[kTitle].toString(), QStringLiteral("Spring launch"));
    }
}
