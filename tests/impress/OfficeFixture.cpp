#include "tests/impress/OfficeFixture.h"
#include "automation/OfficeServerChoice.h"
#include "tests/support/ChildProcess.h"

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XEnumeration.hpp>
#include <com/sun/star/container/XEnumerationAccess.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/drawing/XDrawPage.hpp>
#include <com/sun/star/drawing/XDrawPages.hpp>
#include <com/sun/star/drawing/XDrawPagesSupplier.hpp>
#include <com/sun/star/drawing/XDrawView.hpp>
#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XStorable.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/style/NumberingType.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextRange.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <com/sun/star/util/XModifiable.hpp>
#include <com/sun/star/awt/Size.hpp>
#include <com/sun/star/container/XNameContainer.hpp>
#include <com/sun/star/container/XNameReplace.hpp>
#include <com/sun/star/document/XEmbeddedScripts.hpp>
#include <com/sun/star/document/XEventsSupplier.hpp>
#include <com/sun/star/frame/XTitle.hpp>
#include <com/sun/star/lang/XMultiServiceFactory.hpp>
#include <com/sun/star/script/XLibraryContainer.hpp>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>
#include <cmath>
#include <csignal>
#include <sys/prctl.h>
#include <thread>
#include <unistd.h>

namespace quillora::testing {

using namespace css;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

namespace {

QString pluginPath()
{
    return QStringLiteral(QUILLORA_BIN_DIR "/") + QLatin1String(office::kPluginFileName);
}

// What the options dialog leaves in a profile whose user set macro security
// to low; the tip of the day, shown over a new window, is turned off too.
constexpr char kLowMacroSecurity[] = R"(<?xml version="1.0" encoding="UTF-8"?>
<oor:items xmlns:oor="http://openoffice.org/2001/registry" xmlns:xs="http://www.w3.org/2001/XMLSchema">
<item oor:path="/org.openoffice.Office.Common/Security/Scripting"><prop oor:name="MacroSecurityLevel" oor:op="fuse"><value>0</value></prop></item>
<item oor:path="/org.openoffice.Office.Common/Misc"><prop oor:name="ShowTipOfTheDay" oor:op="fuse"><value>false</value></prop></item>
</oor:items>
)";

QString urlOf(const QString& path)
{
    return QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded);
}

bool bulletShown(const Reference<beans::XPropertySet>& paragraph)
{
    const uno::Any isNumber = paragraph->getPropertyValue("NumberingIsNumber");
    bool flag = true;
    if (isNumber.hasValue() && (isNumber >>= flag) && !flag)
        return false;
    sal_Int16 level = 0;
    paragraph->getPropertyValue("NumberingLevel") >>= level;
    if (level < 0)
        return false;
    Reference<container::XIndexAccess> rules(paragraph->getPropertyValue("NumberingRules"), UNO_QUERY);
    if (!rules.is())
        return false;
    uno::Sequence<beans::PropertyValue> values;
    rules->getByIndex(level) >>= values;
    for (const auto& value : values) {
        if (value.Name == "NumberingType") {
            sal_Int16 type = style::NumberingType::NUMBER_NONE;
            value.Value >>= type;
            return type != style::NumberingType::NUMBER_NONE;
        }
    }
    return false;
}

struct OfficeEnvironment : ::testing::Environment {
    void SetUp() override
    {
        if (!skipReason().isEmpty())
            std::printf("LibreOffice tests skipped: %s\n", qPrintable(skipReason()));
    }
    void TearDown() override { sharedOffice().stop(); }
};
const auto* const registered = ::testing::AddGlobalTestEnvironment(new OfficeEnvironment);

} // namespace

PrivateOffice::PrivateOffice(const QString& tag, const QString& program)
{
    options.program = program;
    options.pipeName = QStringLiteral("quillora-test-%1-%2").arg(QCoreApplication::applicationPid()).arg(tag);
    options.profileUrl = QUrl::fromLocalFile(profile.path()).toString(QUrl::FullyEncoded);
    options.headless = true;
    QString why;
    server = office::loadPluginFile(pluginPath(), options, &why);
}

PrivateOffice::~PrivateOffice()
{
    stop();
}

QString PrivateOffice::start(qint64 timeoutMs)
{
    if (!server)
        return QStringLiteral("the plugin did not load");
    try {
        server->createApplication()->connect(timeoutMs);
        return {};
    } catch (const RuntimeError& e) {
        return e.description();
    }
}

QList<qint64> PrivateOffice::processes() const
{
    return impress::officeProcesses(options.profileUrl);
}

QString PrivateOffice::startVisible(const QString& display)
{
    QDir(profile.path()).mkpath(QStringLiteral("user"));
    QFile settings(profile.path() + QStringLiteral("/user/registrymodifications.xcu"));
    if (!settings.open(QIODevice::WriteOnly) || settings.write(kLowMacroSecurity) < 0)
        return settings.errorString();
    settings.close();
    // A new profile's first start ends asking to be started again, which
    // would end the connection made to it: make that start a headless one.
    const ChildRun first = runChild(options.program, {QStringLiteral("--headless"), QStringLiteral("--terminate_after_init"),
                                                      QStringLiteral("-env:UserInstallation=") + options.profileUrl});
    if (!first.succeeded())
        return first.diagnostics(options.program);
    options.headless = false;
    QString failed;
    server = office::loadPluginFile(pluginPath(), options, &failed);
    // The plugin starts the office with this process's environment.
    const QByteArray ownDisplay = qgetenv("DISPLAY");
    qputenv("DISPLAY", display.toLocal8Bit());
    qputenv("SAL_USE_VCLPLUGIN", "gen");
    if (server)
        failed = start();
    qunsetenv("SAL_USE_VCLPLUGIN");
    if (ownDisplay.isEmpty())
        qunsetenv("DISPLAY");
    else
        qputenv("DISPLAY", ownDisplay);
    return failed;
}

bool PrivateDisplay::installed()
{
    return !QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty();
}

PrivateDisplay::PrivateDisplay()
{
    // Ended with this process, however it ends.
    server.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
    // Xvfb picks a free display itself and writes its number once it takes
    // connections.
    server.start(QStandardPaths::findExecutable(QStringLiteral("Xvfb")),
                 {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    QByteArray number;
    while (!number.endsWith('\n') && server.waitForReadyRead(30000))
        number += server.readAllStandardOutput();
    if (number.endsWith('\n'))
        name = QLatin1Char(':') + QString::fromLatin1(number.trimmed());
    else
        why = QStringLiteral("Xvfb did not start: ") + server.errorString() + QString::fromLocal8Bit(server.readAllStandardError());
}

PrivateDisplay::~PrivateDisplay()
{
    server.terminate();
    if (!server.waitForFinished(5000)) {
        server.kill();
        server.waitForFinished();
    }
}

void PrivateOffice::kill()
{
    const QList<qint64> pids = processes();
    for (qint64 pid : pids)
        ::kill(static_cast<pid_t>(pid), SIGKILL);
    // The office is not our child: wait until it is gone from /proc.
    for (int i = 0; i < 100 && !processes().isEmpty(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
}

void PrivateOffice::stop()
{
    for (qint64 pid : processes())
        ::kill(static_cast<pid_t>(pid), SIGTERM);
    for (int i = 0; i < 100 && !processes().isEmpty(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    kill();
    QFile::remove(QStringLiteral("/tmp/OSL_PIPE_%1_%2").arg(::getuid()).arg(options.pipeName));
}

const impress::Connection& sharedConnection()
{
    static const impress::Connection connection = impress::connectOffice(sharedOffice().options, 60000);
    return connection;
}

PrivateOffice& sharedOffice()
{
    static PrivateOffice office(QStringLiteral("shared"));
    return office;
}

QString skipReason()
{
    static const QString reason = [] {
        if (!QFileInfo::exists(pluginPath()))
            return QStringLiteral("the Impress plugin was not built");
        if (!sharedOffice().server)
            return QStringLiteral("the Impress plugin did not load");
        if (!sharedOffice().server->installed())
            return QStringLiteral("LibreOffice (soffice) is not installed");
        const QString failed = sharedOffice().start();
        return failed.isEmpty() ? QString() : QStringLiteral("LibreOffice did not start: ") + failed;
    }();
    return reason;
}

std::vector<Reference<frame::XModel>> untitledDocuments()
{
    std::vector<Reference<frame::XModel>> found;
    Reference<container::XEnumeration> each = sharedConnection().desktop->getComponents()->createEnumeration();
    while (each->hasMoreElements()) {
        Reference<frame::XModel> model(each->nextElement(), UNO_QUERY);
        if (model.is() && model->getURL().isEmpty())
            found.push_back(model);
    }
    return found;
}

Reference<frame::XModel> onlyDeck()
{
    const auto found = untitledDocuments();
    return found.size() == 1 ? found.front() : Reference<frame::XModel>();
}

QString titleOf(const Reference<frame::XModel>& document)
{
    return impress::fromUno(Reference<frame::XTitle>(document, UNO_QUERY_THROW)->getTitle());
}

void addShape(const Reference<frame::XModel>& document, const QString& name)
{
    Reference<lang::XMultiServiceFactory> factory(document, UNO_QUERY_THROW);
    Reference<drawing::XShape> shape(factory->createInstance("com.sun.star.drawing.RectangleShape"), UNO_QUERY_THROW);
    shape->setSize(awt::Size(4000, 2000));
    Reference<drawing::XDrawPages> pages = Reference<drawing::XDrawPagesSupplier>(document, UNO_QUERY_THROW)->getDrawPages();
    Reference<drawing::XDrawPage>(pages->getByIndex(0), UNO_QUERY_THROW)->add(shape);
    Reference<container::XNamed>(shape, UNO_QUERY_THROW)->setName(impress::toUno(name));
}

std::vector<std::vector<OfficeShape>> readSlides(const Reference<frame::XModel>& document)
{
    std::vector<std::vector<OfficeShape>> slides;
    Reference<drawing::XDrawPages> pages = Reference<drawing::XDrawPagesSupplier>(document, UNO_QUERY_THROW)->getDrawPages();
    for (sal_Int32 s = 0; s < pages->getCount(); ++s) {
        Reference<drawing::XDrawPage> page(pages->getByIndex(s), UNO_QUERY_THROW);
        std::vector<OfficeShape> shapes;
        for (sal_Int32 i = 0; i < page->getCount(); ++i) {
            OfficeShape shape;
            Reference<container::XNamed> named(page->getByIndex(i), UNO_QUERY);
            if (named.is())
                shape.name = impress::fromUno(named->getName());
            Reference<container::XEnumerationAccess> text(page->getByIndex(i), UNO_QUERY);
            Reference<text::XText> isText(text, UNO_QUERY);
            if (text.is() && isText.is()) {
                Reference<container::XEnumeration> paragraphs = text->createEnumeration();
                while (paragraphs->hasMoreElements()) {
                    Reference<text::XTextRange> paragraph(paragraphs->nextElement(), UNO_QUERY_THROW);
                    OfficeParagraph read;
                    read.text = impress::fromUno(paragraph->getString()).replace(QLatin1Char('\n'), QLatin1Char('\v'));
                    read.bullet = bulletShown(Reference<beans::XPropertySet>(paragraph, UNO_QUERY_THROW));
                    Reference<container::XEnumeration> portions =
                        Reference<container::XEnumerationAccess>(paragraph, UNO_QUERY_THROW)->createEnumeration();
                    while (portions->hasMoreElements()) {
                        Reference<text::XTextRange> portion(portions->nextElement(), UNO_QUERY_THROW);
                        if (portion->getString().isEmpty())
                            continue;
                        float height = 0;
                        Reference<beans::XPropertySet>(portion, UNO_QUERY_THROW)->getPropertyValue("CharHeight") >>= height;
                        read.sizes.push_back(static_cast<int>(std::lround(height * 100)));
                    }
                    shape.paragraphs.push_back(read);
                }
            }
            shapes.push_back(shape);
        }
        slides.push_back(shapes);
    }
    return slides;
}

bool isModified(const Reference<frame::XModel>& document)
{
    return Reference<util::XModifiable>(document, UNO_QUERY_THROW)->isModified();
}

int currentSlide(const Reference<frame::XModel>& document)
{
    Reference<drawing::XDrawView> view(document->getCurrentController(), UNO_QUERY_THROW);
    Reference<beans::XPropertySet> page(view->getCurrentPage(), UNO_QUERY_THROW);
    sal_Int16 number = 0;
    page->getPropertyValue("Number") >>= number;
    return number;
}

void storeAsPptx(const Reference<frame::XModel>& document, const QString& target)
{
    uno::Sequence<beans::PropertyValue> filter(1);
    filter.getArray()[0].Name = "FilterName";
    filter.getArray()[0].Value <<= rtl::OUString("Impress MS PowerPoint 2007 XML");
    Reference<frame::XStorable>(document, UNO_QUERY_THROW)->storeToURL(impress::toUno(urlOf(target)), filter);
}

void storeAsLegacyBinary(const QString& source, const QString& target)
{
    Reference<frame::XComponentLoader> loader(sharedConnection().desktop, UNO_QUERY_THROW);
    uno::Sequence<beans::PropertyValue> hidden(1);
    hidden.getArray()[0].Name = "Hidden";
    hidden.getArray()[0].Value <<= true;
    Reference<lang::XComponent> document =
        loader->loadComponentFromURL(impress::toUno(urlOf(source)), "_blank", 0, hidden);
    uno::Sequence<beans::PropertyValue> filter(1);
    filter.getArray()[0].Name = "FilterName";
    filter.getArray()[0].Value <<= rtl::OUString("MS PowerPoint 97");
    Reference<frame::XStorable>(document, UNO_QUERY_THROW)->storeToURL(impress::toUno(urlOf(target)), filter);
    Reference<util::XCloseable>(document, UNO_QUERY_THROW)->close(true);
}

void closeDocuments(const QString& folder)
{
    const QString prefix = urlOf(folder) + QLatin1Char('/');
    std::vector<Reference<util::XCloseable>> closing;
    Reference<container::XEnumeration> each = sharedConnection().desktop->getComponents()->createEnumeration();
    while (each->hasMoreElements()) {
        Reference<frame::XModel> model(each->nextElement(), UNO_QUERY);
        const QString url = model.is() ? impress::fromUno(model->getURL()) : QString();
        if (model.is() && (url.isEmpty() || url.startsWith(prefix)))
            closing.emplace_back(model, UNO_QUERY);
    }
    for (const auto& document : closing) {
        if (document.is())
            document->close(true);
    }
}

void writeMacroPresentations(const impress::Connection& office, const std::vector<std::pair<QString, QString>>& targetsAndMarkers)
{
    // One document, left open for the office's end: closing a document
    // whose Basic was changed over UNO at times crashes the office.
    uno::Sequence<beans::PropertyValue> hidden(1);
    hidden.getArray()[0].Name = "Hidden";
    hidden.getArray()[0].Value <<= true;
    Reference<lang::XComponent> presentation = Reference<frame::XComponentLoader>(office.desktop, UNO_QUERY_THROW)
                                               ->loadComponentFromURL("private:factory/simpress", "_blank", 0, hidden);
    Reference<script::XLibraryContainer> basic(
        Reference<document::XEmbeddedScripts>(presentation, UNO_QUERY_THROW)->getBasicLibraries(), UNO_QUERY_THROW);
    Reference<container::XNameContainer> library(
        basic->hasByName("Standard") ? basic->getByName("Standard") : uno::Any(basic->createLibrary("Standard")),
        UNO_QUERY_THROW);
    library->insertByName("Module1", uno::Any(rtl::OUString()));

    uno::Sequence<beans::PropertyValue> binding(2);
    binding.getArray()[0].Name = "EventType";
    binding.getArray()[0].Value <<= rtl::OUString("Script");
    binding.getArray()[1].Name = "Script";
    binding.getArray()[1].Value <<= rtl::OUString("vnd.sun.star.script:Standard.Module1.Marker?language=Basic&location=document");
    Reference<container::XNameReplace> events = Reference<document::XEventsSupplier>(presentation, UNO_QUERY_THROW)->getEvents();
    for (const char* event : {"OnNew", "OnLoad", "OnLoadFinished", "OnViewCreated"})
        events->replaceByName(rtl::OUString::createFromAscii(event), uno::Any(binding));

    uno::Sequence<beans::PropertyValue> odf(1);
    odf.getArray()[0].Name = "FilterName";
    odf.getArray()[0].Value <<= rtl::OUString("impress8");
    for (const auto& [target, marker] : targetsAndMarkers) {
        const QString source = QStringLiteral("Sub Marker\n"
                                              "    Dim n As Integer\n"
                                              "    n = FreeFile\n"
                                              "    Open \"%1\" For Append As #n\n"
                                              "    Print #n, \"ran\"\n"
                                              "    Close #n\n"
                                              "End Sub\n")
                                   .arg(marker);
        library->replaceByName("Module1", uno::Any(impress::toUno(source)));
        Reference<frame::XStorable>(presentation, UNO_QUERY_THROW)->storeToURL(impress::toUno(urlOf(target)), odf);
    }
}

void registerOffice(automation::AutomationRuntime& runtime, PrivateOffice& office, qint64 timeoutMs)
{
    office::ServerChoice choice;
    choice.impress = office.server;
    choice.forced = true;
    // Forced, so the engine is never asked; the choice wants one all the same.
    static automation::EngineServer unusedEngine;
    office::registerChosenServer(runtime, unusedEngine, choice, timeoutMs);
}

} // namespace quillora::testing
