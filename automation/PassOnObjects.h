#pragma once
// The objects of a server's model that only pass on what they were made
// with: a presentation gives its slides the application and the document,
// the presentations open a document through the application, a window
// gives its selection the application. Both servers use these; header-only,
// so the Impress plugin needs no Quillora library for them.

#include "automation/Automation.h"

#include <QString>
#include <memory>
#include <utility>

namespace quillora::automation {

// SlidesT is made from (App, Doc).
template <class App, class Doc, class SlidesT>
class PassOnPresentation final : public Presentation {
public:
    PassOnPresentation(App app, Doc doc) : m_app(std::move(app)), m_doc(std::move(doc)) {}
    Ref<Slides> slides() override { return std::make_shared<SlidesT>(m_app, m_doc); }

private:
    App m_app;
    Doc m_doc;
};

// The application's open(fileName) gives the document PresentationT is
// made with.
template <class App, class PresentationT>
class PassOnPresentations final : public Presentations {
public:
    explicit PassOnPresentations(App app) : m_app(std::move(app)) {}
    Ref<Presentation> open(const QString& fileName) override
    {
        return std::make_shared<PresentationT>(m_app, m_app->open(fileName));
    }

private:
    App m_app;
};

// SelectionT is made from the application.
template <class App, class SelectionT>
class PassOnWindow final : public DocumentWindow {
public:
    explicit PassOnWindow(App app) : m_app(std::move(app)) {}
    Ref<Selection> selection() override { return std::make_shared<SelectionT>(m_app); }

private:
    App m_app;
};

} // namespace quillora::automation
