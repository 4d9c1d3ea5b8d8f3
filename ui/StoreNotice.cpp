#include "ui/StoreNotice.h"
#include "plan/PlanStore.h"
#include "plan/SettingsFiles.h"
#include "ui/controls/AccessibleEvents.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

namespace quillora {

StoreNotice::StoreNotice(QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("StoreNotice"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(0xff, 0xf4, 0xce));
    colours.setColor(QPalette::WindowText, Qt::black);
    setPalette(colours);
    setAccessibleName(tr("Plan storage notice"));

    m_label = new QLabel(this);
    m_label->setWordWrap(true);
    // The path can be copied from it.
    m_label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_label->setTextFormat(Qt::PlainText);
    m_close = new QToolButton(this);
    m_close->setText(tr("Close"));
    m_close->setAccessibleName(tr("Close the notice"));
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_label, 1);
    layout->addWidget(m_close, 0, Qt::AlignTop);
    // Only the note about a kept copy can be closed: a failure stays until a write succeeds.
    connect(m_close, &QToolButton::clicked, this, [this] { setParts(m_failure, QString()); });
    hide();
}

void StoreNotice::showFailure(const PlanStoreError& error)
{
    const QString file = QDir::toNativeSeparators(error.filePath());
    // The lock beside the settings file is named as the lock: it may be what
    // is in the way (a folder left under its name, say), not the file.
    const bool lock = error.filePath() == settingsLockFile(planStoreFile());
    QString text;
    if (error.operation() == PlanStoreError::Operation::Read)
        text = tr("Your plan could not be read: %1.\nSettings file: %2").arg(error.reason(), file);
    else if (lock)
        text = tr("Your plan is not being saved: %1.\nWhat you type stays in this window and is saved as soon as "
                  "the lock of the settings file can be taken again: %2")
                   .arg(error.reason(), file);
    else
        text = tr("Your plan is not being saved: %1.\nWhat you type stays in this window and is saved as soon as "
                  "the settings file can be written again: %2")
                   .arg(error.reason(), file);
    setParts(text, m_keptCopy);
}

void StoreNotice::clearFailure()
{
    setParts(QString(), m_keptCopy);
}

void StoreNotice::showKeptCopy(const QString& copyPath)
{
    // Told once: closed, it stays closed.
    if (copyPath.isEmpty() || copyPath == m_copyTold)
        return;
    m_copyTold = copyPath;
    setParts(m_failure, tr("The settings file could not be read as settings. It was kept unchanged as %1.")
                          .arg(QDir::toNativeSeparators(copyPath)));
}

QString StoreNotice::text() const
{
    return isHidden() ? QString() : m_label->text();
}

void StoreNotice::setParts(const QString& failure, const QString& keptCopy)
{
    if (failure == m_failure && keptCopy == m_keptCopy)
        return;
    m_failure = failure;
    m_keptCopy = keptCopy;
    QStringList parts;
    for (const QString& part : {m_failure, m_keptCopy}) {
        if (!part.isEmpty())
            parts << part;
    }
    m_label->setText(parts.join(QLatin1Char('\n')));
    m_close->setVisible(m_failure.isEmpty());
    setVisible(!parts.isEmpty());
    if (!parts.isEmpty() && accessibleEventsWanted()) {
        QAccessibleEvent alert(m_label, QAccessible::Alert);
        sendAccessibleEvent(alert);
    }
    Q_EMIT changed();
}

} // namespace quillora
