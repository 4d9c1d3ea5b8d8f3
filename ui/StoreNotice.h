#pragma once
// The window's notice about the plan store, shown inside the window instead
// of a message box: the plan is not being saved (or could not be read), the
// system's reason and the settings file; or that an unreadable settings file
// was kept under another name. Typing goes on while it shows.

#include <QFrame>

class QLabel;
class QToolButton;

namespace quillora {

class PlanStoreError;

class StoreNotice : public QFrame {
    Q_OBJECT

public:
    explicit StoreNotice(QWidget* parent = nullptr);

    // Says the store failed; replaces an earlier failure.
    void showFailure(const PlanStoreError& error);
    // The store took a write: the failure goes.
    void clearFailure();
    // Says where an unreadable settings file was kept; stays until closed.
    void showKeptCopy(const QString& copyPath);

    QString text() const;

Q_SIGNALS:
    // The notice appeared, changed its text or went.
    void changed();

private:
    void setParts(const QString& failure, const QString& keptCopy);

    QLabel* m_label = nullptr;
    QToolButton* m_close = nullptr;
    QString m_failure;
    QString m_keptCopy;
    QString m_copyTold;
};

} // namespace quillora
