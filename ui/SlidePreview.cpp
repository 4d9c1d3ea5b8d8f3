#include "ui/SlidePreview.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace quillora {

// The picture of the slide, as large as its room allows in the slide's
// proportions, drawn when painted so that a burst of keystrokes costs one
// drawing per frame.
class SlidePicture : public QWidget {
    Q_OBJECT

public:
    explicit SlidePicture(QWidget* parent) : QWidget(parent)
    {
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        setMinimumSize(120, 90);
    }

    void setSlide(QSizeF size, std::function<QImage(int)> draw)
    {
        m_size = size.isEmpty() ? QSizeF(4, 3) : size;
        m_draw = std::move(draw);
        m_drawn = false;
        update();
    }
    QImage picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent*) override
    {
        const QSizeF room = size();
        const QSizeF shown = m_size.scaled(room, Qt::KeepAspectRatio);
        const QRectF place(QPointF((room.width() - shown.width()) / 2, (room.height() - shown.height()) / 2), shown);
        const int pixels = std::max(1, static_cast<int>(shown.width() * devicePixelRatioF()));
        if (!m_drawn || m_picture.width() != pixels) {
            m_picture = m_draw ? m_draw(pixels) : QImage();
            m_picture.setDevicePixelRatio(devicePixelRatioF());
            m_drawn = true;
        }
        if (m_picture.isNull())
            return;
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(place, m_picture);
    }

private:
    QSizeF m_size{4, 3};
    std::function<QImage(int)> m_draw;
    QImage m_picture;
    bool m_drawn = false;
};

namespace {

// The preview's picture is an image to assistive technology.
QAccessibleInterface* slidePictureAccessibility(const QString& className, QObject* object)
{
    if (className == QLatin1String(SlidePicture::staticMetaObject.className()) && object && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Graphic);
    return nullptr;
}

// The panel's width while shown, and the picture's room in it.
constexpr int kPanelWidth = 360;
constexpr int kPanelMargin = 8;

// The window sets its own background and text colours on itself; the
// panel takes the desktop's instead (the other roles it inherits from the
// desktop all the same).
void takeDesktopColours(QWidget& panel)
{
    const QPalette desktop = QApplication::palette();
    QPalette palette = panel.palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        for (const auto role : {QPalette::Window, QPalette::WindowText})
            palette.setColor(group, role, desktop.color(group, role));
    }
    panel.setPalette(palette);
}

QString pointsPhrase(int points)
{
    return points == 1 ? SlidePreview::tr("1 point") : SlidePreview::tr("%1 points").arg(points);
}

QString fitPhrase(const FitVerdict& fit)
{
    switch (fit.kind) {
    case FitVerdict::Kind::Fits:
    case FitVerdict::Kind::TighterLines:
        return SlidePreview::tr("fits");
    case FitVerdict::Kind::Shrinks:
        return SlidePreview::tr("shrinks to %1 %").arg(fit.percent);
    case FitVerdict::Kind::TooLong:
        break;
    }
    return fit.linesOver == 1 ? SlidePreview::tr("about 1 line over")
                              : SlidePreview::tr("about %1 lines over").arg(fit.linesOver);
}

} // namespace

SlidePreview::SlidePreview(QWidget* parent) : QWidget(parent)
{
    static const bool installed = [] {
        QAccessible::installFactory(slidePictureAccessibility);
        return true;
    }();
    Q_UNUSED(installed);
    setObjectName(QStringLiteral("SlidePreview"));
    // The desktop's colours, not the white the form forces on its controls.
    takeDesktopColours(*this);
    setAutoFillBackground(true);
    // The application hears of the desktop changing its colours (to or from
    // a dark scheme); the palette set here would keep the old ones.
    qApp->installEventFilter(this);
    setFont(QApplication::font());

    m_picture = new SlidePicture(this);
    m_picture->setObjectName(QStringLiteral("SlidePicture"));
    m_picture->setAccessibleName(tr("Slide preview"));
    m_caption = new QLabel(this);
    m_caption->setAlignment(Qt::AlignHCenter);
    m_fitLine = new QLabel(this);
    m_fitLine->setAlignment(Qt::AlignHCenter);
    m_fitLine->setForegroundRole(QPalette::PlaceholderText);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kPanelMargin, 0, 0, 0);
    layout->addWidget(m_picture, 1);
    layout->addWidget(m_caption);
    layout->addWidget(m_fitLine);
    layout->addStretch(0);
}

QString SlidePreview::titleSlideName()
{
    return tr("Title slide");
}

void SlidePreview::showSlide(PreviewSlide slide)
{
    const QString caption = tr("Slide %1, %2").arg(slide.number).arg(slide.name);
    QString description = caption;
    if (slide.points && slide.fit)
        description = tr("%1: %2, %3").arg(caption, pointsPhrase(*slide.points), fitPhrase(*slide.fit));
    m_caption->setText(caption);
    m_fitLine->setText(slide.fitLine);
    // QWidget raises DescriptionChanged on every assignment: only on a change.
    if (m_picture->accessibleDescription() != description)
        m_picture->setAccessibleDescription(description);
    m_picture->setSlide(slide.size, std::move(slide.draw));
}

QImage SlidePreview::picture() const
{
    return m_picture->picture();
}

QString SlidePreview::caption() const
{
    return m_caption->text();
}

QString SlidePreview::fitLine() const
{
    return m_fitLine->text();
}

QString SlidePreview::description() const
{
    return m_picture->accessibleDescription();
}

QSize SlidePreview::sizeHint() const
{
    return QSize(kPanelWidth, QWidget::sizeHint().height());
}

bool SlidePreview::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == qApp && event->type() == QEvent::ApplicationPaletteChange)
        takeDesktopColours(*this);
    return QWidget::eventFilter(watched, event);
}

} // namespace quillora

#include "SlidePreview.moc"
