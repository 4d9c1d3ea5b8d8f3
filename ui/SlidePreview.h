#pragma once
// The slide preview beside the statement boxes: the slide of the section
// being edited as the deck will show it, drawn at the panel's size in the
// slide's proportions, with the slide's number and section name and the fit
// meter's line under it. Assistive technology sees the picture as an image
// described in words ("Slide 6, Communication Strategies: 4 points, fits").
// Around the slide the panel takes the desktop's colours, dark or light; the
// slide itself is drawn as the deck has it.

#include "builder/SectionFit.h"

#include <QImage>
#include <QSizeF>
#include <QWidget>

#include <functional>
#include <optional>

class QLabel;

namespace quillora {

class SlidePicture;

// What the panel shows: which slide, and how to draw it at a width in pixels.
struct PreviewSlide {
    int number = 1;
    QString name;         // the section's caption, or the title slide's name
    QSizeF size{4, 3};    // the slide's proportions
    std::optional<int> points; // a section's points; none on the title slide
    std::optional<FitVerdict> fit;
    QString fitLine;      // the fit meter's line
    std::function<QImage(int width)> draw;
};

class SlidePreview : public QWidget {
    Q_OBJECT

public:
    explicit SlidePreview(QWidget* parent = nullptr);

    // Shows the slide; it is drawn at the next paint.
    void showSlide(PreviewSlide slide);

    // The picture as last painted, and what the panel says under it.
    QImage picture() const;
    QString caption() const;
    QString fitLine() const;
    // The picture's description for assistive technology.
    QString description() const;

    QSize sizeHint() const override;

    // The title slide's name under its picture.
    static QString titleSlideName();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    SlidePicture* m_picture = nullptr;
    QLabel* m_caption = nullptr;
    QLabel* m_fitLine = nullptr;
};

} // namespace quillora
