// The presentation application over a live Impress: the backend the
// object model's served objects (automation/ServedObjects.h) drive, with
// the connection, the documents, their slides and shapes. Each shape's text
// is an ImpressText.

#include "automation/ServedObjects.h"
#include "impress/ImpressOffice.h"
#include "impress/ImpressText.h"

#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/document/MacroExecMode.hpp>
#include <com/sun/star/drawing/XDrawPage.hpp>
#include <com/sun/star/drawing/XDrawPageDuplicator.hpp>
#include <com/sun/star/drawing/XDrawPages.hpp>
#include <com/sun/star/drawing/XDrawPagesSupplier.hpp>
#include <com/sun/star/drawing/XDrawView.hpp>
#include <com/sun/star/drawing/XShape.hpp>
#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <com/sun/star/util/XModifiable.hpp>
#include <com/sun/star/view/XSelectionSupplier.hpp>

#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <algorithm>
#include <map>
#include <vector>

namespace quillora::impress {
namespace {

using namespace automation;
using css::uno::Any;
using css::uno::Reference;
using css::uno::Sequence;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

// How every presentation is opened. As a new document made from the file
// (AsTemplate): the user's deck is untitled, so Save asks where to save it
// and never writes over the working copy the next run replaces; the file
// is not locked, and opening it again makes another document beside the
// first instead of showing the one already open. Nothing the file carries
// runs and nobody is asked about its macros, whatever the profile's macro
// security says.
Sequence<css::beans::PropertyValue> loadArguments(bool hidden)
{
    std::vector<css::beans::PropertyValue> arguments(2);
    arguments[0].Name = "AsTemplate";
    arguments[0].Value <<= true;
    arguments[1].Name = "MacroExecutionMode";
    arguments[1].Value <<= css::document::MacroExecMode::NEVER_EXECUTE;
    if (hidden) {
        arguments.emplace_back();
        arguments.back().Name = "Hidden";
        arguments.back().Value <<= true;
    }
    return Sequence<css::beans::PropertyValue>(arguments.data(), static_cast<sal_Int32>(arguments.size()));
}

// One presentation Impress holds open for the application.
class Document final : public DocumentBackend, public std::enable_shared_from_this<Document> {
public:
    Document(Reference<css::frame::XModel> model, Reference<css::util::XModifiable> modifiable,
             Reference<css::drawing::XDrawPages> pages)
        : m_model(std::move(model)), m_modifiable(std::move(modifiable)), m_pages(std::move(pages))
    {
    }

    int slideCount() override
    {
        return uno([&] { return m_pages->getCount(); });
    }
    std::shared_ptr<SlideBackend> slide(int number) override;
    void clearSelection() override
    {
        uno([&] {
            Reference<css::view::XSelectionSupplier> selection(m_model->getCurrentController(), UNO_QUERY_THROW);
            selection->select(Any());
        });
    }

    // Shows the page in the document's window.
    void show(const Reference<css::drawing::XDrawPage>& page)
    {
        if (!m_view.is())
            m_view.set(m_model->getCurrentController(), UNO_QUERY_THROW);
        m_view->setCurrentPage(page);
        markModified();
    }

    // Impress places the copy right after the page.
    Reference<css::drawing::XDrawPage> duplicate(const Reference<css::drawing::XDrawPage>& page)
    {
        Reference<css::drawing::XDrawPageDuplicator> duplicator(m_model, UNO_QUERY_THROW);
        Reference<css::drawing::XDrawPage> copy = duplicator->duplicate(page);
        // Impress leaves the copied shapes unnamed; the writer finds them by name.
        const sal_Int32 count = std::min(page->getCount(), copy->getCount());
        for (sal_Int32 i = 0; i < count; ++i) {
            Reference<css::container::XNamed> from(page->getByIndex(i), UNO_QUERY);
            Reference<css::container::XNamed> to(copy->getByIndex(i), UNO_QUERY);
            if (from.is() && to.is() && to->getName() != from->getName())
                to->setName(from->getName());
        }
        return copy;
    }

    // Impress does not count changes made through the API: without this,
    // closing it would drop the filled deck without asking. Marked when the
    // deck opens and whenever a slide is selected (the writer selects a
    // shape's slide before writing into it, and a run ends selecting slide
    // 1) rather than after every change, which would cost a call each.
    void markModified() { m_modifiable->setModified(true); }

    // The one text of the shape, made when first asked for.
    std::shared_ptr<ImpressText> textOf(const Reference<css::drawing::XShape>& shape,
                                        const Reference<css::text::XText>& text)
    {
        auto found = m_texts.find(shape.get());
        if (found != m_texts.end())
            return found->second.second;
        auto made = std::make_shared<ImpressText>(text);
        m_texts.emplace(shape.get(), std::make_pair(shape, made));
        return made;
    }

private:
    Reference<css::frame::XModel> m_model;
    Reference<css::util::XModifiable> m_modifiable;
    Reference<css::drawing::XDrawPages> m_pages;
    Reference<css::drawing::XDrawView> m_view; // the document window's, once a slide was selected
    // By the shape's proxy, one per shape while referenced (which the
    // entry does); asking for its identity would cost a call.
    std::map<css::drawing::XShape*, std::pair<Reference<css::drawing::XShape>, std::shared_ptr<ImpressText>>> m_texts;
};

class ImpressShape final : public ShapeBackend {
public:
    ImpressShape(std::shared_ptr<Document> document, Reference<css::drawing::XShape> shape)
        : m_document(std::move(document)), m_shape(std::move(shape))
    {
    }
    std::shared_ptr<TextBackend> text() override
    {
        return uno([&]() -> std::shared_ptr<TextBackend> {
            const Reference<css::text::XText> text(m_shape, UNO_QUERY);
            if (!text.is())
                return nullptr;
            return m_document->textOf(m_shape, text);
        });
    }

private:
    std::shared_ptr<Document> m_document;
    Reference<css::drawing::XShape> m_shape;
};

// The shape a draw page's getByIndex holds; taken from the Any without a
// query (which would cost a call) when it holds one.
Reference<css::drawing::XShape> shapeFrom(const Any& item)
{
    Reference<css::drawing::XShape> shape;
    if (!(item >>= shape) || !shape.is())
        shape.set(item, UNO_QUERY_THROW);
    return shape;
}

class ImpressSlide final : public SlideBackend {
public:
    ImpressSlide(std::shared_ptr<Document> document, Reference<css::drawing::XDrawPage> page)
        : m_document(std::move(document)), m_page(std::move(page))
    {
    }
    int shapeCount() override
    {
        return uno([&] { return m_page->getCount(); });
    }
    std::shared_ptr<ShapeBackend> shape(int number) override
    {
        return std::make_shared<ImpressShape>(m_document, uno([&] { return shapeFrom(m_page->getByIndex(number - 1)); }));
    }
    std::shared_ptr<ShapeBackend> shape(const QString& name) override
    {
        const Reference<css::drawing::XShape> found = uno([&]() -> Reference<css::drawing::XShape> {
            const OUString wanted = toUno(name);
            const sal_Int32 count = m_page->getCount();
            for (sal_Int32 i = 0; i < count; ++i) {
                const Reference<css::drawing::XShape> shape = shapeFrom(m_page->getByIndex(i));
                Reference<css::container::XNamed> named(shape, UNO_QUERY);
                if (named.is() && named->getName() == wanted)
                    return shape;
            }
            return {};
        });
        if (!found.is())
            return nullptr;
        return std::make_shared<ImpressShape>(m_document, found);
    }
    std::shared_ptr<ShapeBackend> title() override
    {
        const Reference<css::drawing::XShape> found = uno([&]() -> Reference<css::drawing::XShape> {
            const sal_Int32 count = m_page->getCount();
            for (sal_Int32 i = 0; i < count; ++i) {
                const Reference<css::drawing::XShape> shape = shapeFrom(m_page->getByIndex(i));
                if (shape->getShapeType() == "com.sun.star.presentation.TitleTextShape")
                    return shape;
            }
            return {};
        });
        if (!found.is())
            return nullptr;
        return std::make_shared<ImpressShape>(m_document, found);
    }
    void select() override
    {
        uno([&] { m_document->show(m_page); });
    }
    std::shared_ptr<SlideBackend> duplicate() override
    {
        return std::make_shared<ImpressSlide>(m_document, uno([&] { return m_document->duplicate(m_page); }));
    }

private:
    std::shared_ptr<Document> m_document;
    Reference<css::drawing::XDrawPage> m_page;
};

std::shared_ptr<SlideBackend> Document::slide(int number)
{
    Reference<css::drawing::XDrawPage> page = uno([&] {
        Reference<css::drawing::XDrawPage> found;
        // Taken from the Any as it is: a query would cost a call.
        if (!(m_pages->getByIndex(number - 1) >>= found) || !found.is())
            found.set(m_pages->getByIndex(number - 1), UNO_QUERY_THROW);
        return found;
    });
    return std::make_shared<ImpressSlide>(shared_from_this(), page);
}

// The application's connection to its office and the presentations it opened there.
class ImpressBackend final : public PresentationBackend {
public:
    explicit ImpressBackend(office::OfficeOptions options) : m_options(std::move(options)) {}

    void connect(qint64 timeoutMs)
    {
        if (!m_connection.desktop.is())
            m_connection = connectOffice(m_options, timeoutMs);
    }

    void setVisible(bool) override { ensureConnected(); }
    std::shared_ptr<DocumentBackend> open(const QString& fileName) override;
    void clearSelection(DocumentBackend* active) override
    {
        ensureConnected();
        PresentationBackend::clearSelection(active);
    }

private:
    void ensureConnected() { connect(office::kOfficeConnectTimeoutMs); }

    office::OfficeOptions m_options;
    Connection m_connection;
    std::vector<std::shared_ptr<Document>> m_documents; // open while the application lives
};

std::shared_ptr<DocumentBackend> ImpressBackend::open(const QString& fileName)
{
    ensureConnected();
    const QFileInfo file(fileName);
    if (!file.isFile())
        throw RuntimeError(RuntimeError::tr("File not found"));
    // Our working copy's lock file, left by an earlier run or an office
    // that was killed, would stop the load with a question.
    QFile::remove(file.absolutePath() + QStringLiteral("/.~lock.") + file.fileName() + QLatin1Char('#'));
    const QString url = QUrl::fromLocalFile(file.absoluteFilePath()).toString(QUrl::FullyEncoded);
    std::shared_ptr<Document> document = uno([&] {
        Reference<css::frame::XComponentLoader> loader(m_connection.desktop, UNO_QUERY_THROW);
        Reference<css::lang::XComponent> component = loader->loadComponentFromURL(
            toUno(url), m_options.headless ? OUString("_blank") : OUString("_default"), 0,
            loadArguments(m_options.headless));
        Reference<css::frame::XModel> model(component, UNO_QUERY);
        Reference<css::util::XModifiable> modifiable(component, UNO_QUERY);
        Reference<css::drawing::XDrawPagesSupplier> pages(component, UNO_QUERY);
        if (!model.is() || !modifiable.is() || !pages.is()) {
            Reference<css::util::XCloseable> closeable(component, UNO_QUERY);
            if (closeable.is())
                closeable->close(true);
            throw RuntimeError(RuntimeError::tr("LibreOffice Impress could not open the presentation %1").arg(fileName));
        }
        auto opened = std::make_shared<Document>(model, modifiable, pages->getDrawPages());
        opened->markModified();
        return opened;
    });
    m_documents.push_back(document);
    return document;
}

class ImpressApp final : public ServedApplication<office::OfficeApplication> {
public:
    explicit ImpressApp(const std::shared_ptr<ImpressBackend>& backend)
        : ServedApplication<office::OfficeApplication>(backend), m_backend(backend)
    {
    }
    void connect(qint64 timeoutMs) override { m_backend->connect(timeoutMs); }

private:
    std::shared_ptr<ImpressBackend> m_backend;
};

class ImpressServer final : public office::OfficeServer {
public:
    explicit ImpressServer(office::OfficeOptions options) : m_options(std::move(options)) {}
    bool installed() override { return officeInstalled(m_options); }
    bool running() override { return !officeProcesses(m_options.profileUrl).isEmpty(); }
    std::shared_ptr<office::OfficeApplication> createApplication() override
    {
        return std::make_shared<ImpressApp>(std::make_shared<ImpressBackend>(m_options));
    }

private:
    office::OfficeOptions m_options;
};

} // namespace
} // namespace quillora::impress

extern "C" __attribute__((visibility("default"))) quillora::office::OfficeServer*
quilloraCreateOfficeServer(const quillora::office::OfficeOptions& options, int version)
{
    if (version != quillora::office::kOfficePluginVersion)
        return nullptr;
    return new quillora::impress::ImpressServer(options);
}
