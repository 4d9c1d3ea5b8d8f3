#pragma once
// The object model as both servers serve it, written once over a backend
// (PresentationBackend.h): every argument check, every collection lookup and
// every failure's wording live here, so our engine and Impress report the
// same failure in the same words. The objects also keep what a window would
// know: which presentation is active (the one last opened or whose slide
// was last selected).
//
// The Impress plugin compiles ServedObjects.cpp itself; it links no Quillora
// library.

#include "automation/Automation.h"
#include "automation/PresentationBackend.h"
#include "automation/PresentationAppWords.h"

#include <memory>
#include <utility>

namespace quillora::automation {

inline constexpr char kNoTextFrame[] = QT_TRANSLATE_NOOP("RuntimeError", "This shape does not have a text frame");

// What one application's objects share.
struct ServedSession {
    std::shared_ptr<PresentationBackend> backend;
    std::weak_ptr<DocumentBackend> active;
};

// The application's collections over its session; every object made keeps
// `app` alive, as references into a running application do.
Ref<Presentations> servedPresentations(std::shared_ptr<Application> app, std::shared_ptr<ServedSession> session);
Ref<DocumentWindow> servedWindow(std::shared_ptr<Application> app, std::shared_ptr<ServedSession> session);

// The application over a backend. Base is Application, or an interface
// that extends it (the office plugin's adds connecting).
template <class Base = Application>
class ServedApplication : public Base, public std::enable_shared_from_this<ServedApplication<Base>> {
public:
    explicit ServedApplication(std::shared_ptr<PresentationBackend> backend)
        : m_session(std::make_shared<ServedSession>(ServedSession{std::move(backend), {}}))
    {
    }

    QString defaultMember() override { return QLatin1String(kRunningApplicationName); }
    void setVisible(bool visible) override { m_session->backend->setVisible(visible); }
    Ref<Presentations> presentations() override { return servedPresentations(this->shared_from_this(), m_session); }
    Ref<DocumentWindow> activeWindow() override { return servedWindow(this->shared_from_this(), m_session); }

    PresentationBackend& backend() const { return *m_session->backend; }
    std::shared_ptr<DocumentBackend> activeDocument() const { return m_session->active.lock(); }

private:
    std::shared_ptr<ServedSession> m_session;
};

} // namespace quillora::automation
