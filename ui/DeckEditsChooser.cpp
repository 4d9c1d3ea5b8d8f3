#include "ui/DeckEditsChooser.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace quillora {

QStringList DeckEditsDialog::choose(const std::vector<PartChange>& changes, const QStringList& notFound)
{
    QDialog dialog(m_parent);
    dialog.setWindowTitle(tr("Bring Back Edits from a Deck"));
    auto* layout = new QVBoxLayout(&dialog);
    auto* label = new QLabel(tr("The deck differs from your plan in these parts. Nothing is changed until you take "
                                "them; the plan you have now is kept in the history first."),
                             &dialog);
    label->setWordWrap(true);
    layout->addWidget(label);
    auto* table = new QTableWidget(int(changes.size()), 3, &dialog);
    table->setHorizontalHeaderLabels({tr("Part"), tr("In your plan"), tr("In the deck")});
    table->setAccessibleName(tr("Changed parts"));
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setWordWrap(true);
    for (int row = 0; row < int(changes.size()); ++row) {
        const PartChange& change = changes[size_t(row)];
        auto* part = new QTableWidgetItem(change.name);
        part->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        part->setCheckState(Qt::Checked);
        table->setItem(row, 0, part);
        // The plan's line breaks are "\r\n"; a cell shows "\n".
        table->setItem(row, 1, new QTableWidgetItem(QString(change.inPlan).replace(QLatin1String("\r\n"), QLatin1String("\n"))));
        table->setItem(row, 2, new QTableWidgetItem(QString(change.inDeck).replace(QLatin1String("\r\n"), QLatin1String("\n"))));
    }
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table->resizeRowsToContents();
    layout->addWidget(table);
    if (!notFound.isEmpty()) {
        auto* missing = new QLabel(tr("Not found in the deck, and left as they are:\n%1").arg(notFound.join(QLatin1Char('\n'))), &dialog);
        missing->setWordWrap(true);
        layout->addWidget(missing);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, &dialog);
    QPushButton* take = buttons->addButton(tr("Take Chosen"), QDialogButtonBox::AcceptRole);
    take->setDefault(true);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    dialog.resize(900, 520);
    QStringList taken;
    if (dialog.exec() != QDialog::Accepted)
        return taken;
    for (int row = 0; row < int(changes.size()); ++row) {
        if (table->item(row, 0)->checkState() == Qt::Checked)
            taken << changes[size_t(row)].key;
    }
    return taken;
}

} // namespace quillora
