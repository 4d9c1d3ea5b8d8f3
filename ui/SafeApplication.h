#pragma once
// The application object with a safety net around event delivery: a failure
// that escapes an event handler during a user action (a refused store write
// while typing, say) is shown in a message box titled with the application
// title, and the program keeps running with its window as it was.

#include "core/Platform.h"

#include <QApplication>

namespace quillora {

class SafeApplication : public QApplication {
    Q_OBJECT

public:
    SafeApplication(int& argc, char** argv, MessageBoxes& messages);

    bool notify(QObject* receiver, QEvent* event) override;

private:
    MessageBoxes& m_messages;
};

// Shows the failure being handled: its description under the application title.
void showUnhandledFailure(MessageBoxes& messages);

} // namespace quillora
