#include "tests/impress/OfficeFixture.h"
#include "builder/OfficeServerChoice.h"

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
#include <QUrl>
#include <cmath>
#include <csignal>
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

std::shared_ptr<office::OfficeServer> PrivateOffice::windowed() const
{
    office::OfficeOptions windows = options;
    windows.headless = false;
    QString why;
    return office::loadPluginFile(pluginPath(), windows, &why);
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

int macroExecutionMode(const Reference<frame::XModel>& document)
{
    for (const beans::PropertyValue& argument : document->getArgs()) {
        sal_Int16 mode = -1;
        if (argument.Name == "MacroExecutionMode" && (argument.Value >>= mode))
            return mode;
    }
    return -1;
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

void writeMacroPresentation(const QString& target, const QString& marker)
{
    uno::Sequence<beans::PropertyValue> hidden(1);
    hidden.getArray()[0].Name = "Hidden";
    hidden.getArray()[0].Value <<= true;
    Reference<lang::XComponent> presentation = Reference<frame::XComponentLoader>(sharedConnection().desktop, UNO_QUERY_THROW)
                                               ->loadComponentFromURL("private:factory/simpress", "_blank", 0, hidden);
    const QString source = QStringLiteral("Sub Marker\n"
                                          "    Dim n As Integer\n"
                                          "    n = FreeFile\n"
                                          "    Open \"%1\" For Append As #n\n"
                                          "    Print #n, \"ran\"\n"
                                          "    Close #n\n"
                                          "End Sub\n")
                               .arg(marker);
    Reference<script::XLibraryContainer> basic(
        Reference<document::XEmbeddedScripts>(presentation, UNO_QUERY_THROW)->getBasicLibraries(), UNO_QUERY_THROW);
    Reference<container::XNameContainer> library(
        basic->hasByName("Standard") ? basic->getByName("Standard") : uno::Any(basic->createLibrary("Standard")),
        UNO_QUERY_THROW);
    library->insertByName("Module1", uno::Any(impress::toUno(source)));

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
    Reference<frame::XStorable>(presentation, UNO_QUERY_THROW)->storeToURL(impress::toUno(urlOf(target)), odf);
    Reference<util::XCloseable>(presentation, UNO_QUERY_THROW)->close(true);
}

void registerOffice(automation::AutomationRuntime& runtime, PrivateOffice& office, qint64 timeoutMs)
{
    registerOffice(runtime, office.server, timeoutMs);
}

void registerOffice(automation::AutomationRuntime& runtime, std::shared_ptr<office::OfficeServer> server, qint64 timeoutMs)
{
    office::ServerChoice choice;
    choice.impress = std::move(server);
    choice.forced = true;
    // Forced, so the engine is never asked; the choice wants one all the same.
    static automation::EngineServer unusedEngine;
    office::registerChosenServer(runtime, unusedEngine, choice, timeoutMs);
}

} // namespace quillora::testing
