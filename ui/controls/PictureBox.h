#pragma once
// A plain container with its own background, used to lay a statement box
// over a tab strip's page. Its own class so the skin can tell it apart from
// other framed widgets.

#include <QFrame>

namespace quillora {

class PictureBox : public QFrame {
    Q_OBJECT

public:
    explicit PictureBox(QWidget* parent = nullptr) : QFrame(parent)
    {
        setAutoFillBackground(true);
        setFrameShape(QFrame::NoFrame);
    }
};

} // namespace quillora
