#pragma once
// A recording stand-in for the presentation application: every member call
// is written to one log, in order, with what was passed, and any call can be
// made to fail. Shapes keep a plain text so that reads after writes answer
// consistently.

#include "automation/Automation.h"
#include "automation/AutomationRuntime.h"
#include "builder/SlideFillMap.h"

#include <QSet>
#include <QString>
#include <QStringList>
#include <map>
#include <memory>

namespace quillora::testing {

struct RecordingWorld {
    QStringList log;
    // A call whose log entry equals one of these (or starts with it, when it
    // ends in "*") fails after it is logged.
    QStringList failing;
    int slideCount = 17;
    // Shape texts by slide, then by name; slide 1's shapes are named "1" and "2".
    std::map<int, std::map<QString, QString>> texts;
    int selectedSlide = 0;

    void record(const QString& op)
    {
        log << op;
        for (const QString& f : failing) {
            if (op == f || (f.endsWith(QLatin1Char('*')) && op.startsWith(f.chopped(1))))
                throw RuntimeError(QStringLiteral("Refused: ") + op);
        }
    }

    // The template's shapes: numbers on slide 1, the fill map's names elsewhere.
    void addTemplateShapes()
    {
        texts[1][QStringLiteral("1")] = QStringLiteral("Title placeholder");
        texts[1][QStringLiteral("2")] = QStringLiteral("Subtitle placeholder");
        for (const FillRow& row : slideFillMap()) {
            if (row.shapeName)
                texts[row.slide][QLatin1String(row.shapeName)] = QStringLiteral("Template text %1").arg(row.slide);
        }
    }

    // Log entries that start with the prefix, in order.
    QStringList entries(const QString& prefix) const
    {
        QStringList out;
        for (const QString& e : log) {
            if (e.startsWith(prefix))
                out << e;
        }
        return out;
    }
};

namespace recording {

using namespace automation;
using World = std::shared_ptr<RecordingWorld>;

inline QString quoted(const QString& s)
{
    QString escaped = s;
    escaped.replace(QLatin1Char('\r'), QLatin1String("\\r")).replace(QLatin1Char('\n'), QLatin1String("\\n"))
        .replace(QLatin1Char('\t'), QLatin1String("\\t"));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

class RSlide;
class RShape;
class RTextFrame;

class RFont final : public Font {
public:
    explicit RFont(World w) : m_w(std::move(w)) {}
    void setSize(float points) override { m_w->record(QStringLiteral("Font.Size=%1").arg(double(points))); }
    World m_w;
};

class RBullet final : public BulletFormat {
public:
    explicit RBullet(World w) : m_w(std::move(w)) {}
    void setVisible(int v) override { m_w->record(QStringLiteral("Bullet.Visible=%1").arg(v)); }
    void setType(int t) override { m_w->record(QStringLiteral("Bullet.Type=%1").arg(t)); }
    World m_w;
};

class RParagraphFormat final : public ParagraphFormat {
public:
    explicit RParagraphFormat(World w) : m_w(std::move(w)) {}
    Ref<BulletFormat> bullet() override
    {
        m_w->record(QStringLiteral("ParagraphFormat.Bullet"));
        return std::make_shared<RBullet>(m_w);
    }
    World m_w;
};

class RSlide final : public Slide {
public:
    RSlide(World w, int n) : m_w(std::move(w)), m_n(n) {}
    Ref<Shapes> shapes() override;
    void select() override
    {
        m_w->record(QStringLiteral("Slide(%1).Select").arg(m_n));
        m_w->selectedSlide = m_n;
    }
    Ref<Slide> duplicate() override { throw RuntimeError(QStringLiteral("This fake copies no slides")); }
    World m_w;
    int m_n;
};

class RShape final : public Shape {
public:
    RShape(World w, int slide, QString name) : m_w(std::move(w)), m_slide(slide), m_name(std::move(name)) {}
    Ref<TextFrame> textFrame() override;
    Ref<Slide> parent() override
    {
        m_w->record(QStringLiteral("Shape.Parent"));
        return std::make_shared<RSlide>(m_w, m_slide);
    }
    World m_w;
    int m_slide;
    QString m_name;
};

// The whole text of a shape (length -2) or the characters [start, start+length).
class RTextRange final : public TextRange {
public:
    RTextRange(World w, int slide, QString shape, int start = 1, int length = -2)
        : m_w(std::move(w)), m_slide(slide), m_shape(std::move(shape)), m_start(start), m_length(length)
    {
    }
    QString& whole() { return m_w->texts[m_slide][m_shape]; }
    QString text() override
    {
        m_w->record(QStringLiteral("TextRange.Text"));
        return whole();
    }
    void setText(const QString& text) override
    {
        m_w->record(QStringLiteral("TextRange.Text=") + quoted(text));
        if (m_length == -2) {
            whole() = text;
            return;
        }
        const int from = qBound(0, m_start - 1, int(whole().size()));
        const int count = qBound(0, m_length == kOmittedLength ? 1 : m_length, int(whole().size()) - from);
        whole().replace(from, count, text);
    }
    Ref<TextRange> characters(int start, int length) override
    {
        m_w->record(QStringLiteral("TextRange.Characters(%1,%2)").arg(start).arg(length));
        return std::make_shared<RTextRange>(m_w, m_slide, m_shape, start, length);
    }
    Ref<ParagraphFormat> paragraphFormat() override
    {
        m_w->record(QStringLiteral("TextRange.ParagraphFormat"));
        return std::make_shared<RParagraphFormat>(m_w);
    }
    Ref<Font> font() override
    {
        m_w->record(QStringLiteral("TextRange.Font"));
        return std::make_shared<RFont>(m_w);
    }
    Ref<TextFrame> parent() override;
    World m_w;
    int m_slide;
    QString m_shape;
    int m_start, m_length;
};

class RTextFrame final : public TextFrame {
public:
    RTextFrame(World w, int slide, QString shape) : m_w(std::move(w)), m_slide(slide), m_shape(std::move(shape)) {}
    Ref<TextRange> textRange() override
    {
        m_w->record(QStringLiteral("TextFrame.TextRange"));
        return std::make_shared<RTextRange>(m_w, m_slide, m_shape);
    }
    Ref<Shape> parent() override
    {
        m_w->record(QStringLiteral("TextFrame.Parent"));
        return std::make_shared<RShape>(m_w, m_slide, m_shape);
    }
    World m_w;
    int m_slide;
    QString m_shape;
};

inline Ref<TextFrame> RShape::textFrame()
{
    m_w->record(QStringLiteral("Shape.TextFrame"));
    return std::make_shared<RTextFrame>(m_w, m_slide, m_name);
}

inline Ref<TextFrame> RTextRange::parent()
{
    m_w->record(QStringLiteral("TextRange.Parent"));
    return std::make_shared<RTextFrame>(m_w, m_slide, m_shape);
}

class RShapes final : public Shapes {
public:
    RShapes(World w, int slide) : m_w(std::move(w)), m_slide(slide) {}
    Ref<Shape> item(qint16 index) override
    {
        m_w->record(QStringLiteral("Shapes.Item(%1)").arg(index));
        return find(QString::number(index));
    }
    Ref<Shape> item(const QString& name) override
    {
        m_w->record(QStringLiteral("Shapes.Item(%1)").arg(quoted(name)));
        return find(name);
    }
    Ref<Shape> title() override { return find(QStringLiteral("1")); }
    Ref<Shape> find(const QString& name)
    {
        if (!m_w->texts[m_slide].count(name))
            throw RuntimeError(QStringLiteral("The item was not found"));
        return std::make_shared<RShape>(m_w, m_slide, name);
    }
    World m_w;
    int m_slide;
};

inline Ref<Shapes> RSlide::shapes()
{
    m_w->record(QStringLiteral("Slide(%1).Shapes").arg(m_n));
    return std::make_shared<RShapes>(m_w, m_n);
}

class RSlides final : public Slides {
public:
    explicit RSlides(World w) : m_w(std::move(w)) {}
    Ref<Slide> item(qint16 index) override
    {
        m_w->record(QStringLiteral("Slides.Item(%1)").arg(index));
        if (index < 1 || index > m_w->slideCount)
            throw RuntimeError(QStringLiteral("Index out of bounds"));
        return std::make_shared<RSlide>(m_w, index);
    }
    World m_w;
};

class RPresentation final : public Presentation {
public:
    explicit RPresentation(World w) : m_w(std::move(w)) {}
    ~RPresentation() override { m_w->log << QStringLiteral("released Presentation"); }
    Ref<Slides> slides() override
    {
        m_w->record(QStringLiteral("Presentation.Slides"));
        return std::make_shared<RSlides>(m_w);
    }
    World m_w;
};

class RPresentations final : public Presentations {
public:
    explicit RPresentations(World w) : m_w(std::move(w)) {}
    Ref<Presentation> open(const QString& fileName) override
    {
        m_w->record(QStringLiteral("Presentations.Open(fileName=%1)").arg(quoted(fileName)));
        return std::make_shared<RPresentation>(m_w);
    }
    World m_w;
};

class RSelection final : public Selection {
public:
    explicit RSelection(World w) : m_w(std::move(w)) {}
    void unselect() override
    {
        m_w->record(QStringLiteral("Selection.Unselect"));
        m_w->selectedSlide = 0;
    }
    World m_w;
};

class RWindow final : public DocumentWindow {
public:
    explicit RWindow(World w) : m_w(std::move(w)) {}
    Ref<Selection> selection() override
    {
        m_w->record(QStringLiteral("ActiveWindow.Selection"));
        return std::make_shared<RSelection>(m_w);
    }
    World m_w;
};

class RApplication final : public Application {
public:
    explicit RApplication(World w, QString name) : m_w(std::move(w)), m_name(std::move(name)) {}
    ~RApplication() override { m_w->log << QStringLiteral("released Application"); }
    QString defaultMember() override
    {
        m_w->record(QStringLiteral("Application.[default]"));
        return m_name;
    }
    void setVisible(bool visible) override
    {
        m_w->record(QStringLiteral("Application.Visible=%1").arg(visible ? QLatin1String("true") : QLatin1String("false")));
    }
    Ref<Presentations> presentations() override
    {
        m_w->record(QStringLiteral("Application.Presentations"));
        return std::make_shared<RPresentations>(m_w);
    }
    Ref<DocumentWindow> activeWindow() override
    {
        m_w->record(QStringLiteral("Application.ActiveWindow"));
        return std::make_shared<RWindow>(m_w);
    }
    World m_w;
    QString m_name;
};

} // namespace recording

// Registers the recording application under the presentation class name;
// each start is logged.
inline void registerRecordingApplication(automation::AutomationRuntime& runtime,
                                         const std::shared_ptr<RecordingWorld>& world,
                                         const QString& name = QStringLiteral("Microsoft PowerPoint"))
{
    runtime.registerClass(QLatin1String(automation::kPowerPointClass), [world, name] {
        world->log << QStringLiteral("started Application");
        return std::make_shared<recording::RApplication>(world, name);
    });
}

} // namespace quillora::testing
