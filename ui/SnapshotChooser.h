#pragma once
// The list File > "Plan History…" shows: one line per kept plan, newest
// first; the user picks one to restore, or closes the list. The window asks
// through this door, so tests answer without a dialog.

#include <QCoreApplication>
#include <QStringList>
#include <optional>

class QWidget;

namespace quillora {

class SnapshotChooser {
public:
    virtual ~SnapshotChooser() = default;
    // The row to restore, or nothing.
    virtual std::optional<int> choose(const QStringList& lines) = 0;
};

// A modal list with "Restore" and "Close".
class SnapshotDialog final : public SnapshotChooser {
    Q_DECLARE_TR_FUNCTIONS(SnapshotDialog)

public:
    explicit SnapshotDialog(QWidget* parent) : m_parent(parent) {}
    std::optional<int> choose(const QStringList& lines) override;

private:
    QWidget* m_parent;
};

} // namespace quillora
