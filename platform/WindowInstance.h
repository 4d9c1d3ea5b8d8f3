#pragma once
// One window per plan, however the program is started. A window holds the
// claim on its plan for as long as it runs: an flock on a lock file beside
// the settings file that keeps the plan ("Quillora.conf.window-lock"). The
// kernel knows that file by its identity, so every spelling of the settings
// folder (through a symbolic link, with or without XDG_RUNTIME_DIR) meets the
// same claim, and it lets go when the process ends, however it ends.
//
// The window also listens on a local socket and writes the socket's name
// into the lock file; a later start finds the claim taken, reads where the
// window listens, asks it to come to the front and ends, so two windows never
// write older copies of one plan over each other. quillora-deck takes the
// same claim while it replaces the stored plan.

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

// The lock file that carries the claim on the plan kept in `storeFile`.
QString windowClaimFile(const QString& storeFile);

// The claim on one plan. Taken, it is held until the object goes (or the
// process ends); the lock file itself stays, since removing it could let a
// later start lock a new file while an older one still holds the old.
class PlanClaim {
public:
    explicit PlanClaim(const QString& storeFile);
    ~PlanClaim();
    PlanClaim(const PlanClaim&) = delete;
    PlanClaim& operator=(const PlanClaim&) = delete;

    // True when this object holds the claim now (taken by this call or an
    // earlier one); false when someone else holds it, or when no lock file
    // can be opened or made at all (see available()).
    bool take();
    bool held() const { return m_held; }
    // False when the lock file could be neither opened nor made (a settings
    // folder that cannot be written and has none yet): then nobody can hold
    // the claim.
    bool available();
    // Where the holder listens, as written into the lock file; empty when
    // nothing is written there (yet).
    QString holderAddress() const;
    // The holder writes where it listens.
    void setAddress(const QString& address);

private:
    void openFile();

    QString m_path;
    int m_fd = -1;
    bool m_held = false;
};

// The name the window for the plan in `storeFile` listens under: in the
// user's runtime folder when there is one, else the temporary folder, with
// the user's id and the settings file's real path in it.
QString windowServerName(const QString& storeFile);

// Whether a window (or the command) holds the claim on this plan; neither
// it nor the lock file is disturbed.
bool windowIsRunning(const QString& storeFile);

class WindowInstance {
public:
    using OnActivation = std::function<void(const ActivationRequest&)>;

    explicit WindowInstance(const QString& storeFile);

    // True when this process is the window for the plan, from now on told of
    // every later start through `onActivation`. False when another holds
    // the plan: a window has been handed `request`, and this start ends.
    // A holder that neither answers nor lets go within a few seconds (a
    // stopped window) also ends this start. Where no claim can be had at all,
    // the window starts anyway rather than not at all.
    bool claim(const ActivationRequest& request, OnActivation onActivation);

private:
    void listen();

    QString m_storeFile;
    PlanClaim m_claim;
    QLocalServer m_server;
    OnActivation m_onActivation;
};

} // namespace quillora
