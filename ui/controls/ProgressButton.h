#pragma once
// A push button that can show how far a long task behind it has got: while
// progress is shown, the part of the button's face that is done fills with
// the highlight colour behind the caption, from the left. The caption, size
// and everything else about the button stay as they are; without progress it
// paints exactly like a QPushButton.

#include <QPushButton>

namespace quillora {

class ProgressButton : public QPushButton {
    Q_OBJECT

public:
    using QPushButton::QPushButton;

    // Shows `done` of `total` steps as done (clamped to 0..total); total > 0.
    void showProgress(int done, int total);
    // Back to the plain button.
    void clearProgress();

    bool showsProgress() const { return m_total > 0; }
    int progressDone() const { return m_done; }
    int progressTotal() const { return m_total; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_done = 0;
    int m_total = 0;
};

} // namespace quillora
