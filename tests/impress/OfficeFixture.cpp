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

// Our own connection to the shared office, for reading back.
impress::Connection& reader()
{
    static impress::Connection connection = impress::connectOffice(sharedOffice().options, 60000);
    return connection;
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

std::vector<Reference<frame::XModel>> openDocuments(const QString& path)
{
    const rtl::OUString url = impress::toUno(urlOf(path));
    std::vector<Reference<frame::XModel>> found;
    Reference<container::XEnumeration> each = reader().desktop->getComponents()->createEnumeration();
    while (each->hasMoreElements()) {
        Reference<frame::XModel> model(each->nextElement(), UNO_QUERY);
        if (model.is() && model->getURL() == url)
            found.push_back(model);
    }
    return found;
}

Reference<frame::XModel> openDocument(const QString& path)
{
    const auto found = openDocuments(path);
    return found.empty() ? Reference<frame::XModel>() : found.front();
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
    Reference<frame::XComponentLoader> loader(reader().desktop, UNO_QUERY_THROW);
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

void closeDocumentsIn(const QString& folder)
{
    const QString prefix = urlOf(folder) + QLatin1Char('/');
    std::vector<Reference<util::XCloseable>> closing;
    Reference<container::XEnumeration> each = reader().desktop->getComponents()->createEnumeration();
    while (each->hasMoreElements()) {
        Reference<frame::XModel> model(each->nextElement(), UNO_QUERY);
        if (model.is() && impress::fromUno(model->getURL()).startsWith(prefix))
            closing.emplace_back(model, UNO_QUERY);
    }
    for (const auto& document : closing) {
        if (document.is())
            document->close(true);
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
