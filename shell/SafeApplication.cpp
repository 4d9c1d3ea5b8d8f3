#include "shell/SafeApplication.h"
#include "shell/AppTitle.h"
#include "shell/RuntimeError.h"

namespace quillora {

SafeApplication::SafeApplication(int& argc, char** argv, MessageBoxes& messages)
    : QApplication(argc, argv), m_messages(messages)
{
}

bool SafeApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        showUnhandledFailure(m_messages);
        return false;
    }
}

void showUnhandledFailure(MessageBoxes& messages)
{
    messages.show(applicationTitle(), describeCurrentException(), MessageIcon::Warning, MessageButtons::Ok);
}

} // namespace quillora
