#include "tests/support/SavedDeck.h"

#include <QFile>
#include <pugixml.hpp>
#include <zip.h>

#include <algorithm>
#include <cstring>
#include <string_view>

namespace quillora::testing {
namespace {

class Package {
public:
    explicit Package(const QString& path)
    {
        int error = 0;
        m_zip = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error);
    }
    ~Package()
    {
        if (m_zip)
            zip_discard(m_zip);
    }
    bool isOpen() const { return m_zip != nullptr; }

    bool load(const QString& name, pugi::xml_document& doc)
    {
        zip_stat_t st;
        const QByteArray n = name.toUtf8();
        if (zip_stat(m_zip, n.constData(), 0, &st) != 0)
            return false;
        zip_file_t* f = zip_fopen(m_zip, n.constData(), 0);
        if (!f)
            return false;
        QByteArray bytes(static_cast<qsizetype>(st.size), Qt::Uninitialized);
        const zip_int64_t got = zip_fread(f, bytes.data(), st.size);
        zip_fclose(f);
        return got == static_cast<zip_int64_t>(st.size) && doc.load_buffer(bytes.constData(), size_t(bytes.size()));
    }

private:
    zip_t* m_zip = nullptr;
};

QString textOf(pugi::xml_node paragraph)
{
    QString text;
    for (pugi::xml_node child : paragraph.children()) {
        const char* name = child.name();
        if (!std::strcmp(name, "a:r") || !std::strcmp(name, "a:fld"))
            text += QString::fromUtf8(child.child("a:t").text().get());
        else if (!std::strcmp(name, "a:br"))
            text += QLatin1Char('\v');
    }
    return text;
}

SavedParagraph readParagraph(pugi::xml_node p)
{
    SavedParagraph out;
    out.text = textOf(p);
    pugi::xml_node pPr = p.child("a:pPr");
    if (pPr.child("a:buNone"))
        out.bullet = SavedParagraph::Bullet::Off;
    else if (pPr.child("a:buChar"))
        out.bullet = SavedParagraph::Bullet::Character;
    else if (pPr.child("a:buAutoNum"))
        out.bullet = SavedParagraph::Bullet::Numbered;
    for (pugi::xml_node r : p.children("a:r"))
        out.sizes.push_back(r.child("a:rPr").attribute("sz").as_int(0));
    return out;
}

// An element's name without its namespace prefix.
std::string_view localName(pugi::xml_node node)
{
    const std::string_view name = node.name();
    const size_t colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

pugi::xml_node childNamed(pugi::xml_node parent, std::string_view local)
{
    for (pugi::xml_node child : parent.children()) {
        if (localName(child) == local)
            return child;
    }
    return {};
}

// The name in the shape's non-visual properties, whatever kind of shape.
QString shapeNameOf(pugi::xml_node shape)
{
    for (pugi::xml_node nv : shape.children()) {
        if (pugi::xml_node c = childNamed(nv, "cNvPr"))
            return QString::fromUtf8(c.attribute("name").value());
    }
    return {};
}

std::vector<pugi::xml_node> bodyParagraphs(pugi::xml_node shape)
{
    std::vector<pugi::xml_node> paragraphs;
    for (pugi::xml_node p : childNamed(shape, "txBody").children()) {
        if (localName(p) == "p")
            paragraphs.push_back(p);
    }
    return paragraphs;
}

SavedShape readShape(pugi::xml_node shape)
{
    SavedShape out;
    out.name = shapeNameOf(shape);
    for (pugi::xml_node p : bodyParagraphs(shape))
        out.paragraphs.push_back(readParagraph(p));
    return out;
}

// The ranks of a parent's child sequence, each with the names it takes and
// whether it repeats; children of other names are not checked (elements of
// other namespaces a part may carry).
struct Rank {
    std::vector<std::string_view> names;
    bool repeats = false;
};
using Sequence = std::vector<Rank>;

void checkSequence(pugi::xml_node parent, const Sequence& sequence, const QString& where, QStringList& problems)
{
    size_t rank = 0;
    std::string_view previous;
    for (pugi::xml_node child : parent.children()) {
        if (child.type() != pugi::node_element)
            continue;
        size_t found = 0;
        while (found < sequence.size()
               && std::find(sequence[found].names.begin(), sequence[found].names.end(), localName(child))
                      == sequence[found].names.end())
            ++found;
        if (found == sequence.size())
            continue;
        if (found < rank || (found == rank && !sequence[found].repeats && !previous.empty()))
            problems << QStringLiteral("%1: %2 after %3").arg(where, QString::fromUtf8(child.name()),
                                                                QString::fromUtf8(previous.data(), qsizetype(previous.size())));
        rank = found;
        previous = child.name();
    }
}

QString partFor(const QString& target)
{
    // Targets in presentation.xml.rels are relative to ppt/.
    return target.startsWith(QLatin1Char('/')) ? target.mid(1) : QStringLiteral("ppt/") + target;
}

} // namespace

std::vector<pugi::xml_node> paragraphsOf(const pugi::xml_document& slide, const QString& shapeName)
{
    const pugi::xml_node tree = childNamed(childNamed(slide.document_element(), "cSld"), "spTree");
    for (pugi::xml_node shape : tree.children()) {
        if (shapeNameOf(shape) == shapeName)
            return bodyParagraphs(shape);
    }
    return {};
}

QStringList textBodyProblems(pugi::xml_node part)
{
    static const Sequence body{{{"bodyPr"}}, {{"lstStyle"}}, {{"p"}, true}};
    static const Sequence paragraph{{{"pPr"}}, {{"r", "br", "fld"}, true}, {{"endParaRPr"}}};
    static const Sequence run{{{"rPr"}}, {{"t"}}};
    static const Sequence field{{{"rPr"}}, {{"pPr"}}, {{"t"}}};
    static const Sequence properties{{{"lnSpc"}}, {{"spcBef"}}, {{"spcAft"}}, {{"buClrTx", "buClr"}},
                                     {{"buSzTx", "buSzPct", "buSzPts"}}, {{"buFontTx", "buFont"}},
                                     {{"buNone", "buAutoNum", "buChar", "buBlip"}}, {{"tabLst"}}, {{"defRPr"}},
                                     {{"extLst"}}};
    QStringList problems;
    for (const pugi::xpath_node& found : part.select_nodes("//*[local-name()='txBody']")) {
        const pugi::xml_node txBody = found.node();
        const QString where = QString::fromUtf8(txBody.path().c_str());
        checkSequence(txBody, body, where, problems);
        if (localName(txBody.first_child()) != "bodyPr")
            problems << where + QStringLiteral(": does not start with bodyPr");
        if (!childNamed(txBody, "p"))
            problems << where + QStringLiteral(": has no paragraph");
        for (pugi::xml_node p : bodyParagraphs(txBody.parent())) {
            checkSequence(p, paragraph, where, problems);
            checkSequence(childNamed(p, "pPr"), properties, where, problems);
            for (pugi::xml_node child : p.children()) {
                checkSequence(child, localName(child) == "fld" ? field : run, where, problems);
                if (localName(child) == "r" && !childNamed(child, "t"))
                    problems << where + QStringLiteral(": a run without text");
            }
        }
    }
    return problems;
}

QString SavedShape::text() const
{
    QStringList texts;
    for (const SavedParagraph& p : paragraphs)
        texts << p.text;
    return texts.join(QLatin1Char('\r'));
}

std::optional<SavedShape> SavedSlide::named(const QString& name) const
{
    for (const SavedShape& s : shapes) {
        if (s.name == name)
            return s;
    }
    return std::nullopt;
}

SavedDeck SavedDeck::read(const QString& path, QString* error)
{
    auto fail = [&](const QString& why) {
        if (error)
            *error = why;
        return SavedDeck{};
    };
    Package package(path);
    if (!package.isOpen())
        return fail(QStringLiteral("not a zip package: ") + path);
    pugi::xml_document presentation, rels;
    if (!package.load(QStringLiteral("ppt/presentation.xml"), presentation)
        || !package.load(QStringLiteral("ppt/_rels/presentation.xml.rels"), rels))
        return fail(QStringLiteral("no presentation part"));

    std::map<QString, QString> targets;
    for (pugi::xml_node r : rels.child("Relationships").children("Relationship"))
        targets[QString::fromUtf8(r.attribute("Id").value())] = QString::fromUtf8(r.attribute("Target").value());

    SavedDeck deck;
    for (pugi::xml_node id : presentation.child("p:presentation").child("p:sldIdLst").children("p:sldId")) {
        const QString part = partFor(targets[QString::fromUtf8(id.attribute("r:id").value())]);
        pugi::xml_document slideXml;
        if (!package.load(part, slideXml))
            return fail(QStringLiteral("missing slide part ") + part);
        if (const QStringList problems = textBodyProblems(slideXml); !problems.isEmpty())
            return fail(part + QStringLiteral(" breaks the file format: ") + problems.join(QStringLiteral("; ")));
        SavedSlide slide;
        for (pugi::xml_node child : slideXml.child("p:sld").child("p:cSld").child("p:spTree").children()) {
            const char* name = child.name();
            if (!std::strcmp(name, "p:sp") || !std::strcmp(name, "p:grpSp") || !std::strcmp(name, "p:pic")
                || !std::strcmp(name, "p:graphicFrame") || !std::strcmp(name, "p:cxnSp"))
                slide.shapes.push_back(readShape(child));
        }
        deck.slides.push_back(std::move(slide));
    }
    return deck;
}

} // namespace quillora::testing
