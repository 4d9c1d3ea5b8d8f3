#include "ui/SnapshotChooser.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillora {

std::optional<int> SnapshotDialog::choose(const QStringList& lines)
{
    QDialog dialog(m_parent);
    dialog.setWindowTitle(tr("Plan History"));
    auto* layout = new QVBoxLayout(&dialog);
    auto* label = new QLabel(tr("Your plan as it was kept, newest first. Restoring one keeps the plan you have now "
                                "in the history first."),
                             &dialog);
    label->setWordWrap(true);
    auto* list = new QListWidget(&dialog);
    list->addItems(lines);
    list->setCurrentRow(0);
    label->setBuddy(list);
    list->setAccessibleName(tr("Kept plans"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
    QPushButton* restore = buttons->addButton(tr("Restore"), QDialogButtonBox::AcceptRole);
    restore->setDefault(true);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(list, &QListWidget::itemDoubleClicked, &dialog, &QDialog::accept);
    layout->addWidget(label);
    layout->addWidget(list);
    layout->addWidget(buttons);
    dialog.resize(640, 360);
    if (dialog.exec() != QDialog::Accepted || list->currentRow() < 0)
        return std::nullopt;
    return list->currentRow();
}

} // namespace quillora
