#pragma once
// One window per user and plan store. The first window listens on a local
// socket named after the user and the store's file; a later start finds it
// there, asks it to come to the front and ends, so two windows never write
// older copies of one plan over each other.

#include <QByteArray>
#include <QLocalServer>
#include <QString>

#include <functional>

namespace quillora {

// What the desktop gave a start to let its window take the focus: the X11
// startup notification id and the Wayland activation token. Read before the
// application object exists, which takes them out of the environment.
struct ActivationRequest {
    QByteArray startupId;       // DESKTOP_STARTUP_ID
    QByteArray activationToken; // XDG_ACTIVATION_TOKEN

    static ActivationRequest fromEnvironment();
    QByteArray encode() const;
    static ActivationRequest decode(const QByteArray& message);
};

// The socket's name for the plan store kept in `storeFile`: in the user's
// runtime folder where there is one, with the user's id in it either way.
QString windowServerName(const QString& storeFile);

// Whether a window for this store is running; it is not disturbed.
bool windowIsRunning(const QString& storeFile);

class WindowInstance {
public:
    using OnActivation = std::function<void(const ActivationRequest&)>;

    explicit WindowInstance(const QString& storeFile);

    // True when this process is the window for the store, from now on told
    // of every later start through `onActivation`. False when a window is
    // already running: it has been handed `request`, and this start ends.
    // A socket left by a window that was killed is replaced. Where no socket
    // can be had at all, the window starts anyway rather than not at all.
    bool claim(const ActivationRequest& request, OnActivation onActivation);

private:
    QString m_name;
    QLocalServer m_server;
    OnActivation m_onActivation;
};

} // namespace quillora
