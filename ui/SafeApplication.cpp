#include "ui/SafeApplication.h"
#include "core/AppTitle.h"
#include "core/HeldFailure.h"
#include "core/RuntimeError.h"

namespace quillora {

SafeApplication::SafeApplication(int& argc, char** argv, MessageBoxes& messages)
    : QApplication(argc, argv), m_messages(messages)
{
}

bool SafeApplication::notify(QObject* receiver, QEvent* event)
{
    bool handled = false;
    try {
        handled = QApplication::notify(receiver, event);
    } catch (...) {
        showUnhandledFailure(m_messages);
    }
    if (std::exception_ptr held = takeHeldFailure()) {
        try {
            std::rethrow_exception(held);
        } catch (...) {
            showUnhandledFailure(m_messages);
        }
    }
    return handled;
}

void showUnhandledFailure(MessageBoxes& messages)
{
    messages.show(applicationTitle(), describeCurrentException(), MessageIcon::Warning, MessageButtons::Ok);
}

} // namespace quillora
