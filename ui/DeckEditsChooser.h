#pragma once
// What File > "Bring Back Edits from a Deck…" shows before anything is
// taken: each part of the plan the deck would change, its text in the plan
// and in the deck side by side, and the parts the deck had no place for. The
// user takes all, some or none. The window asks through this door, so tests
// answer without a dialog.

#include <QCoreApplication>
#include <QStringList>
#include <vector>

class QWidget;

namespace quillora {

struct PartChange {
    QString key;   // the setting key
    QString name;  // as the window names the part
    QString inPlan;
    QString inDeck;
};

class DeckEditsChooser {
public:
    virtual ~DeckEditsChooser() = default;
    // The keys of the parts to take; none takes nothing.
    virtual QStringList choose(const std::vector<PartChange>& changes, const QStringList& notFound) = 0;
};

// A modal table with a check box per part, and "Take Chosen" and "Cancel".
class DeckEditsDialog final : public DeckEditsChooser {
    Q_DECLARE_TR_FUNCTIONS(DeckEditsDialog)

public:
    explicit DeckEditsDialog(QWidget* parent) : m_parent(parent) {}
    QStringList choose(const std::vector<PartChange>& changes, const QStringList& notFound) override;

private:
    QWidget* m_parent;
};

} // namespace quillora
