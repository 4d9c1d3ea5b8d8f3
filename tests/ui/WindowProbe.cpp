// The program's start-up run as a separate process, for tests that need what
// another run would see: values on disk rather than in QSettings' in-process
// cache, and the real application object with its event-loop safety net.
//
//   ui_probe start               start-up, then print the four fields
//   ui_probe type <text>         start-up, show the window, type the text
//                                   into the first statement box and choose
//                                   another tab on the lower strip
//   ui_probe place               start-up, show the window and print where
//                                   it is: its frame, its screen's free area,
//                                   the button and the two statement boxes
//                                   (all in global coordinates)
//
// Prints one JSON object: the fields' texts, the store notice's text and
// every message box shown (title and text). Message boxes are answered at once with OK.

#include "plan/PlanStore.h"
#include "ui/MainWindow.h"
#include "ui/SafeApplication.h"
#include "ui/StoreNotice.h"
#include "ui/controls/LineBox.h"
#include "ui/controls/StatementBox.h"
#include "ui/controls/TabStrip.h"
#include "tests/support/FakePlatform.h"

#include <QJsonArray>
#include <QScreen>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

using namespace quillora;

int main(int argc, char** argv)
{
    testing::FakePlatform fake;
    SafeApplication app(argc, argv, fake.messages);
    const QStringList args = QCoreApplication::arguments().mid(1);
    const QString command = args.value(0);
    if (command != QLatin1String("start") && command != QLatin1String("type") && command != QLatin1String("place"))
        return 2;

    QTemporaryDir programFolder;
    fake.environment.program = programFolder.path();
    BuilderHooks hooks{[] {}, [] { return false; }, [](const GenerationRun&) {}};
    const std::unique_ptr<PlanStore> plan = openUserPlanStore();
    MainWindow window(fake.platform, *plan, hooks);
    window.startUp();
    const int startUpMessages = int(fake.messages.shown.size());

    if (command == QLatin1String("type")) {
        window.showCentred();
        QApplication::setActiveWindow(&window);
        QApplication::processEvents();
        window.firstStatementBox->setFocus();
        window.firstStatementBox->moveCursor(QTextCursor::End);
        QTest::keyClicks(window.firstStatementBox, args.value(1));
        QTest::mouseClick(window.secondSectionTabs, Qt::LeftButton, {}, window.secondSectionTabs->tabRect(2).center());
    }

    if (command == QLatin1String("place")) {
        window.showCentred();
        QApplication::processEvents();
        const auto rect = [](const QRect& r) { return QJsonArray{r.x(), r.y(), r.width(), r.height()}; };
        const auto global = [&](QWidget* w) { return rect(QRect(w->mapToGlobal(QPoint()), w->size())); };
        const QJsonObject placed{
            {QStringLiteral("frame"), rect(window.frameGeometry())},
            {QStringLiteral("available"), rect(window.screen()->availableGeometry())},
            {QStringLiteral("button"), global(window.generateButton)},
            {QStringLiteral("firstBox"), global(window.firstStatementBox)},
            {QStringLiteral("secondBox"), global(window.secondStatementBox)},
        };
        const QByteArray json = QJsonDocument(placed).toJson(QJsonDocument::Compact);
        std::fwrite(json.constData(), 1, size_t(json.size()), stdout);
        std::fputc('\n', stdout);
        return 0;
    }

    QJsonArray messages;
    for (const auto& m : fake.messages.shown)
        messages.append(QJsonObject{{QStringLiteral("title"), m.title}, {QStringLiteral("text"), m.text}});
    const QJsonObject out{
        {QStringLiteral("productName"), window.productNameField->text()},
        {QStringLiteral("planTitle"), window.planTitleField->text()},
        {QStringLiteral("first"), window.firstStatementBox->text()},
        {QStringLiteral("second"), window.secondStatementBox->text()},
        {QStringLiteral("secondTab"), window.secondSectionTabs->tab()},
        {QStringLiteral("storeNotice"), window.storeNotice->text()},
        {QStringLiteral("startUpMessages"), startUpMessages},
        {QStringLiteral("messages"), messages},
    };
    const QByteArray json = QJsonDocument(out).toJson(QJsonDocument::Compact);
    std::fwrite(json.constData(), 1, size_t(json.size()), stdout);
    std::fputc('\n', stdout);
    return 0;
}
