// A small command-line program the storage-fault tests start as a separate
// process, so that what they check is what another run of the program would
// find on disk, not QSettings' in-process cache.
//
//   plan_store_probe save <key> <value>           one write
//   plan_store_probe write <tag> <count> <key>... for i below count, writes
//                                                 "<tag>:<i>" to every key
//   plan_store_probe grow <key> <bytes>           writes "<i>:" + bytes of
//                                                 filler forever, printing i
//                                                 after each completed write
//   plan_store_probe type <key> <value> <count>   count writes, as keystrokes
//                                                 add to the value, each
//                                                 outcome on a line of its
//                                                 own ("ok", or "write: " or
//                                                 "read: " and the reason)
//   plan_store_probe dump <key>...                JSON object key -> value
//                                                 (null when absent)
//
// Values and keys on the command line are UTF-8. A refused write prints
// "error: <description>" and exits with status 3.

#include "plan/PlanStore.h"
#include "core/RuntimeError.h"
#include "tests/reliability/ProbeValues.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QStringList>

#include <cstdio>

using namespace quillora;

namespace {

void printLine(const QByteArray& line)
{
    std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

int dump(PlanStore& store, const QStringList& keys)
{
    QJsonObject values;
    for (const QString& key : keys) {
        // A sentinel default tells an absent key from a stored empty text.
        const QString absent = QStringLiteral("\x01absent\x01");
        const QString value = store.value(key, absent);
        values.insert(key, value == absent ? QJsonValue() : QJsonValue(value));
    }
    printLine(QJsonDocument(values).toJson(QJsonDocument::Compact));
    return 0;
}

int run(const QStringList& args)
{
    const std::unique_ptr<PlanStore> store = openUserPlanStore();
    const QString command = args.value(0);
    if (command == QLatin1String("save") && args.size() == 3) {
        store->write(args[1], args[2]);
        printLine("ok");
        return 0;
    }
    if (command == QLatin1String("write") && args.size() >= 4) {
        const int count = args[2].toInt();
        for (int i = 0; i < count; ++i) {
            for (const QString& key : args.mid(3))
                store->write(key, probe::countedValue(args[1], i));
        }
        printLine("ok");
        return 0;
    }
    if (command == QLatin1String("type") && args.size() == 4) {
        QString typed = args[2];
        for (int i = 0; i < args[3].toInt(); ++i) {
            typed += QLatin1Char('a' + i % 26);
            try {
                store->write(args[1], typed);
                printLine("ok");
            } catch (const PlanStoreError& refused) {
                const bool write = refused.operation() == PlanStoreError::Operation::Write;
                printLine((write ? "write: " : "read: ") + refused.reason().toUtf8());
            }
        }
        return 0;
    }
    if (command == QLatin1String("grow") && args.size() == 3) {
        const int bytes = args[2].toInt();
        for (int i = 0;; ++i) {
            store->write(args[1], probe::paddedValue(i, bytes));
            printLine(QByteArray::number(i));
        }
    }
    if (command == QLatin1String("dump"))
        return dump(*store, args.mid(1));
    std::fprintf(stderr, "usage: plan_store_probe save|write|type|grow|dump ...\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    try {
        return run(app.arguments().mid(1));
    } catch (const RuntimeError& error) {
        printLine("error: " + error.description().toUtf8());
        return 3;
    }
}
