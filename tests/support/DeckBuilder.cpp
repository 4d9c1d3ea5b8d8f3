#include "tests/support/DeckBuilder.h"

#include <QStringList>

#include <zip.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace quillora::testing {
namespace {

const char kXmlDeclaration[] = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
const char kRelationshipTypes[] = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
const char kNamespaces[] = "xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" "
                           "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\" "
                           "xmlns:p=\"http://schemas.openxmlformats.org/presentationml/2006/main\"";

QByteArray escaped(const QString& text)
{
    return text.toHtmlEscaped().toUtf8();
}

QByteArray contentTypes(int slideCount)
{
    QByteArray xml = kXmlDeclaration;
    xml += "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
           "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
           "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
           "<Override PartName=\"/ppt/presentation.xml\" ContentType=\"application/"
           "vnd.openxmlformats-officedocument.presentationml.presentation.main+xml\"/>";
    xml += "<Override PartName=\"/ppt/slideMasters/slideMaster1.xml\" ContentType=\"application/"
           "vnd.openxmlformats-officedocument.presentationml.slideMaster+xml\"/>"
           "<Override PartName=\"/ppt/slideLayouts/slideLayout1.xml\" ContentType=\"application/"
           "vnd.openxmlformats-officedocument.presentationml.slideLayout+xml\"/>"
           "<Override PartName=\"/ppt/theme/theme1.xml\" ContentType=\"application/"
           "vnd.openxmlformats-officedocument.theme+xml\"/>";
    for (int n = 1; n <= slideCount; ++n) {
        xml += "<Override PartName=\"/ppt/slides/slide" + QByteArray::number(n) +
               ".xml\" ContentType=\"application/vnd.openxmlformats-officedocument.presentationml.slide+xml\"/>";
    }
    return xml + "</Types>";
}

// Slides presented in `order`: indexes into the slide parts.
QByteArray presentation(const QList<int>& order)
{
    QByteArray xml = kXmlDeclaration;
    xml += QByteArray("<p:presentation ") + kNamespaces +
           "><p:sldMasterIdLst><p:sldMasterId id=\"2147483648\" r:id=\"rIdMaster\"/></p:sldMasterIdLst><p:sldIdLst>";
    for (int i = 0; i < order.size(); ++i)
        xml += "<p:sldId id=\"" + QByteArray::number(256 + i) + "\" r:id=\"rId" + QByteArray::number(order[i] + 1) + "\"/>";
    xml += "</p:sldIdLst><p:sldSz cx=\"12192000\" cy=\"6858000\"/><p:notesSz cx=\"6858000\" cy=\"9144000\"/>"
           "</p:presentation>";
    return xml;
}

QByteArray presentationRelationships(int slideCount)
{
    QByteArray xml = kXmlDeclaration;
    xml += "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    for (int n = 1; n <= slideCount; ++n) {
        xml += "<Relationship Id=\"rId" + QByteArray::number(n) + "\" Type=\"" + kRelationshipTypes +
               "slide\" Target=\"slides/slide" + QByteArray::number(n) + ".xml\"/>";
    }
    return xml + "<Relationship Id=\"rIdMaster\" Type=\"" + kRelationshipTypes +
           "slideMaster\" Target=\"slideMasters/slideMaster1.xml\"/></Relationships>";
}

// Relationships of one kind each, e.g. ("slideLayout", "../slideLayouts/slideLayout1.xml").
QByteArray relationships(const QList<std::pair<const char*, const char*>>& typeAndTarget)
{
    QByteArray xml = kXmlDeclaration;
    xml += "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    int id = 1;
    for (const auto& [type, target] : typeAndTarget)
        xml += "<Relationship Id=\"rId" + QByteArray::number(id++) + "\" Type=\"" + kRelationshipTypes + type +
               "\" Target=\"" + target + "\"/>";
    return xml + "</Relationships>";
}

QByteArray treeOf(const QString& shapes)
{
    return "<p:cSld><p:spTree><p:nvGrpSpPr><p:cNvPr id=\"1\" name=\"\"/><p:cNvGrpSpPr/><p:nvPr/>"
           "</p:nvGrpSpPr><p:grpSpPr/>" + shapes.toUtf8() + "</p:spTree></p:cSld>";
}

// The one master and its one blank layout every slide is laid out by, and
// the theme the master draws its colours and fonts from.
void addMasterLayoutAndTheme(PackageParts& parts)
{
    parts.set(QStringLiteral("ppt/slideMasters/slideMaster1.xml"), masterXml({}, {}));
    parts.set(QStringLiteral("ppt/slideMasters/_rels/slideMaster1.xml.rels"),
              relationships({{"slideLayout", "../slideLayouts/slideLayout1.xml"}, {"theme", "../theme/theme1.xml"}}));
    parts.set(QStringLiteral("ppt/slideLayouts/slideLayout1.xml"), layoutXml({}));
    parts.set(QStringLiteral("ppt/slideLayouts/_rels/slideLayout1.xml.rels"),
              relationships({{"slideMaster", "../slideMasters/slideMaster1.xml"}}));
    parts.set(QStringLiteral("ppt/theme/theme1.xml"),
              themeXml(QStringLiteral("Liberation Sans"), QStringLiteral("Liberation Sans")));
}

// Streams head + fill... + tail into libzip without holding it in memory.
struct StreamedContent {
    QByteArray head;
    char fill;
    QByteArray tail;
    qint64 size;
    qint64 offset = 0;
    zip_error_t error{};
};

zip_int64_t streamContent(void* userdata, void* data, zip_uint64_t length, zip_source_cmd_t command)
{
    auto* content = static_cast<StreamedContent*>(userdata);
    switch (command) {
    case ZIP_SOURCE_OPEN:
        content->offset = 0;
        return 0;
    case ZIP_SOURCE_READ: {
        auto* out = static_cast<char*>(data);
        const qint64 n = std::min<qint64>(static_cast<qint64>(length), content->size - content->offset);
        const qint64 tailStart = content->size - content->tail.size();
        qint64 i = 0;
        while (i < n) {
            const qint64 at = content->offset + i;
            if (at < content->head.size()) {
                out[i++] = content->head[at];
            } else if (at >= tailStart) {
                out[i++] = content->tail[at - tailStart];
            } else {
                const qint64 run = std::min(n - i, tailStart - at);
                std::memset(out + i, content->fill, static_cast<size_t>(run));
                i += run;
            }
        }
        content->offset += n;
        return n;
    }
    case ZIP_SOURCE_CLOSE:
        return 0;
    case ZIP_SOURCE_STAT: {
        auto* st = static_cast<zip_stat_t*>(data);
        zip_stat_init(st);
        st->size = static_cast<zip_uint64_t>(content->size);
        st->valid |= ZIP_STAT_SIZE;
        return sizeof(zip_stat_t);
    }
    case ZIP_SOURCE_ERROR:
        return zip_error_to_data(&content->error, data, length);
    case ZIP_SOURCE_FREE:
        return 0;
    case ZIP_SOURCE_SUPPORTS:
        return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                                              ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, -1);
    default:
        return -1;
    }
}

void check(bool ok, const char* what)
{
    if (!ok)
        throw std::runtime_error(what);
}

using PartList = std::vector<std::pair<QString, QByteArray>>;

QByteArray zipParts(const PartList& parts, StreamedContent* streamed, const QString& streamedName)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    check(buffer, "zip buffer");
    zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
    if (!archive) {
        zip_source_free(buffer);
        throw std::runtime_error("zip open");
    }
    // From here the archive owns the buffer; keep it for reading back.
    zip_source_keep(buffer);
    auto fail = [&](const char* what) {
        zip_discard(archive);
        zip_source_free(buffer);
        throw std::runtime_error(what);
    };
    // libzip reads the part data only in zip_close: parts is the caller's and
    // outlives it.
    auto add = [&](const QString& name, zip_source_t* source) {
        if (!source)
            fail("zip source");
        const QByteArray utf8 = name.toUtf8();
        const zip_int64_t index = zip_file_add(archive, utf8.constData(), source, ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            zip_source_free(source);
            fail("zip add");
        }
        return static_cast<zip_uint64_t>(index);
    };
    for (const auto& [name, data] : parts)
        add(name, zip_source_buffer(archive, data.constData(), static_cast<zip_uint64_t>(data.size()), 0));
    if (streamed) {
        // The fastest level: the point is the ratio, which stays huge anyway.
        const zip_uint64_t index = add(streamedName, zip_source_function(archive, streamContent, streamed));
        zip_set_file_compression(archive, index, ZIP_CM_DEFLATE, 1);
    }
    if (zip_close(archive) != 0)
        fail("zip close");

    QByteArray bytes;
    if (zip_source_open(buffer) == 0) {
        zip_source_seek(buffer, 0, SEEK_END);
        const zip_int64_t size = zip_source_tell(buffer);
        zip_source_seek(buffer, 0, SEEK_SET);
        bytes.resize(size);
        if (zip_source_read(buffer, bytes.data(), static_cast<zip_uint64_t>(size)) != size)
            bytes.clear();
        zip_source_close(buffer);
    }
    zip_source_free(buffer);
    check(!bytes.isEmpty(), "zip read");
    return bytes;
}

quint16 le16(const QByteArray& b, qsizetype at)
{
    return static_cast<quint16>(static_cast<unsigned char>(b[at]) | (static_cast<unsigned char>(b[at + 1]) << 8));
}
void putLe32(QByteArray& b, qsizetype at, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<char>((v >> (8 * i)) & 0xff);
}

// Calls visit(headerOffset, nameOffset, isCentral) for every local and
// central header whose entry name is `name`.
template <class Visit>
void forEachHeaderOf(const QByteArray& zip, const QByteArray& name, Visit visit)
{
    static const QByteArray local("PK\x03\x04", 4);
    static const QByteArray central("PK\x01\x02", 4);
    for (qsizetype at = 0; (at = zip.indexOf(local, at)) >= 0; at += 4) {
        if (at + 30 > zip.size())
            break;
        const quint16 nameLength = le16(zip, at + 26);
        if (zip.mid(at + 30, nameLength) == name)
            visit(at, at + 30, false);
    }
    for (qsizetype at = 0; (at = zip.indexOf(central, at)) >= 0; at += 4) {
        if (at + 46 > zip.size())
            break;
        const quint16 nameLength = le16(zip, at + 28);
        if (zip.mid(at + 46, nameLength) == name)
            visit(at, at + 46, true);
    }
}

} // namespace

QByteArray masterXml(const QString& shapes, const QString& textStyles)
{
    return QByteArray(kXmlDeclaration) + "<p:sldMaster " + kNamespaces + ">" + treeOf(shapes) +
           "<p:clrMap bg1=\"lt1\" tx1=\"dk1\" bg2=\"lt2\" tx2=\"dk2\" accent1=\"accent1\" accent2=\"accent2\" "
           "accent3=\"accent3\" accent4=\"accent4\" accent5=\"accent5\" accent6=\"accent6\" hlink=\"hlink\" "
           "folHlink=\"folHlink\"/><p:sldLayoutIdLst><p:sldLayoutId id=\"2147483649\" r:id=\"rId1\"/>"
           "</p:sldLayoutIdLst>" + (textStyles.isEmpty() ? QByteArray() : "<p:txStyles>" + textStyles.toUtf8() + "</p:txStyles>") +
           "</p:sldMaster>";
}

QByteArray layoutXml(const QString& shapes)
{
    return QByteArray(kXmlDeclaration) + "<p:sldLayout " + kNamespaces + " type=\"blank\">" + treeOf(shapes) +
           "<p:clrMapOvr><a:masterClrMapping/></p:clrMapOvr></p:sldLayout>";
}

QByteArray themeXml(const QString& majorFont, const QString& minorFont)
{
    QByteArray colours;
    for (const char* name : {"dk1", "lt1", "dk2", "lt2", "accent1", "accent2", "accent3", "accent4", "accent5",
                             "accent6", "hlink", "folHlink"})
        colours += QByteArray("<a:") + name + "><a:srgbClr val=\"" + (qstrcmp(name, "lt1") == 0 ? "FFFFFF" : "1F3864") +
                   "\"/></a:" + name + ">";
    const QByteArray solid = "<a:solidFill><a:schemeClr val=\"phClr\"/></a:solidFill>";
    const QByteArray line = "<a:ln w=\"9525\">" + solid + "</a:ln>";
    const QByteArray effect = "<a:effectStyle><a:effectLst/></a:effectStyle>";
    return QByteArray(kXmlDeclaration) +
           "<a:theme xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\" name=\"Plain\">"
           "<a:themeElements><a:clrScheme name=\"Plain\">" + colours + "</a:clrScheme>"
           "<a:fontScheme name=\"Plain\"><a:majorFont><a:latin typeface=\"" + escaped(majorFont) + "\"/><a:ea typeface=\"\"/>"
           "<a:cs typeface=\"\"/></a:majorFont><a:minorFont><a:latin typeface=\"" + escaped(minorFont) + "\"/>"
           "<a:ea typeface=\"\"/><a:cs typeface=\"\"/></a:minorFont></a:fontScheme>"
           "<a:fmtScheme name=\"Plain\"><a:fillStyleLst>" + solid + solid + solid + "</a:fillStyleLst>"
           "<a:lnStyleLst>" + line + line + line + "</a:lnStyleLst><a:effectStyleLst>" + effect + effect + effect +
           "</a:effectStyleLst><a:bgFillStyleLst>" + solid + solid + solid + "</a:bgFillStyleLst></a:fmtScheme>"
           "</a:themeElements></a:theme>";
}

PackageParts PackageParts::fromZip(const QByteArray& zip)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(zip.constData(), static_cast<zip_uint64_t>(zip.size()), 0, &error);
    check(source, "zip buffer");
    zip_t* archive = zip_open_from_source(source, ZIP_RDONLY, &error);
    if (!archive) {
        zip_source_free(source);
        throw std::runtime_error("zip open");
    }
    PackageParts parts;
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t stat;
        zip_file_t* file = zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &stat) == 0
                               ? zip_fopen_index(archive, static_cast<zip_uint64_t>(i), 0)
                               : nullptr;
        if (!file) {
            zip_close(archive);
            throw std::runtime_error("zip entry");
        }
        QByteArray data(static_cast<qsizetype>(stat.size), Qt::Uninitialized);
        const zip_int64_t read = zip_fread(file, data.data(), stat.size);
        zip_fclose(file);
        if (read != static_cast<zip_int64_t>(stat.size)) {
            zip_close(archive);
            throw std::runtime_error("zip read");
        }
        parts.set(QString::fromUtf8(stat.name), data);
    }
    zip_close(archive);
    return parts;
}

QByteArray slideXml(const std::vector<ShapeSpec>& shapes)
{
    QByteArray xml = kXmlDeclaration;
    xml += QByteArray("<p:sld ") + kNamespaces +
           "><p:cSld><p:spTree><p:nvGrpSpPr><p:cNvPr id=\"1\" name=\"\"/><p:cNvGrpSpPr/><p:nvPr/></p:nvGrpSpPr>"
           "<p:grpSpPr/>";
    int id = 2;
    for (const ShapeSpec& shape : shapes) {
        xml += "<p:sp><p:nvSpPr><p:cNvPr id=\"" + QByteArray::number(id++) + "\" name=\"" + escaped(shape.name) +
               "\"/><p:cNvSpPr/><p:nvPr/></p:nvSpPr>"
               "<p:spPr><a:xfrm><a:off x=\"838200\" y=\"365125\"/><a:ext cx=\"10515600\" cy=\"1325563\"/></a:xfrm>"
               "<a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom></p:spPr>"
               "<p:txBody><a:bodyPr/><a:lstStyle/>";
        for (const QString& line : shape.text.split(QLatin1Char('\n')))
            xml += "<a:p><a:r><a:rPr lang=\"en-US\" dirty=\"0\"/><a:t>" + escaped(line) + "</a:t></a:r></a:p>";
        xml += "</p:txBody></p:sp>";
    }
    return xml + "</p:spTree></p:cSld></p:sld>";
}

PackageParts PackageParts::withSlides(const std::vector<QByteArray>& slides, const QList<int>& order)
{
    const int slideCount = static_cast<int>(slides.size());
    QList<int> presented = order;
    if (presented.isEmpty())
        for (int i = 0; i < slideCount; ++i)
            presented.append(i);
    PackageParts parts;
    parts.set(QStringLiteral("[Content_Types].xml"), contentTypes(slideCount));
    parts.set(QStringLiteral("_rels/.rels"), relationships({{"officeDocument", "ppt/presentation.xml"}}));
    parts.set(QStringLiteral("ppt/presentation.xml"), presentation(presented));
    parts.set(QStringLiteral("ppt/_rels/presentation.xml.rels"), presentationRelationships(slideCount));
    addMasterLayoutAndTheme(parts);
    for (int n = 1; n <= slideCount; ++n) {
        parts.set(QStringLiteral("ppt/slides/slide%1.xml").arg(n), slides[static_cast<size_t>(n - 1)]);
        parts.set(QStringLiteral("ppt/slides/_rels/slide%1.xml.rels").arg(n),
                  relationships({{"slideLayout", "../slideLayouts/slideLayout1.xml"}}));
    }
    return parts;
}

void PackageParts::addVbaProject(const QByteArray& mainContentType, const QByteArray& binDefault)
{
    const QByteArray office = "http://schemas.microsoft.com/office/2006/relationships/";
    const QByteArray vba = "application/vnd.ms-office.vbaProject";
    QByteArray types = part(QStringLiteral("[Content_Types].xml"));
    types.replace("application/vnd.openxmlformats-officedocument.presentationml.presentation.main+xml", mainContentType);
    QByteArray added = "<Override PartName=\"/ppt/vbaProjectSignature.bin\" ContentType=\"" + vba + "Signature\"/>";
    if (binDefault.isEmpty()) {
        added += "<Default Extension=\"bin\" ContentType=\"" + vba + "\"/>";
    } else {
        added += "<Default Extension=\"bin\" ContentType=\"" + binDefault + "\"/>"
                 "<Override PartName=\"/ppt/vbaProject.bin\" ContentType=\"" + vba + "\"/>";
        set(QStringLiteral("ppt/embeddings/oleObject1.bin"), "an embedded object");
    }
    types.replace("</Types>", added + "</Types>");
    set(QStringLiteral("[Content_Types].xml"), types);

    QByteArray presentationRels = part(QStringLiteral("ppt/_rels/presentation.xml.rels"));
    presentationRels.replace("</Relationships>", "<Relationship Id=\"rIdVba\" Type=\"" + office +
                                                     "vbaProject\" Target=\"vbaProject.bin\"/></Relationships>");
    set(QStringLiteral("ppt/_rels/presentation.xml.rels"), presentationRels);
    // Stands in for the compound file: what matters is where it sits.
    set(QStringLiteral("ppt/vbaProject.bin"), "Sub OnSlideShowPageChange(): Shell \"touch /tmp/ran\": End Sub");
    set(QStringLiteral("ppt/_rels/vbaProject.bin.rels"),
        QByteArray(kXmlDeclaration) + "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
            "<Relationship Id=\"rId1\" Type=\"" + office + "vbaProjectSignature\" Target=\"vbaProjectSignature.bin\"/>"
            "</Relationships>");
    set(QStringLiteral("ppt/vbaProjectSignature.bin"), "a signature");
}

PackageParts PackageParts::minimalDeck(int slideCount)
{
    std::vector<QByteArray> slides;
    for (int n = 1; n <= slideCount; ++n) {
        slides.push_back(slideXml({{QStringLiteral("Title 1"), QStringLiteral("Slide %1").arg(n)},
                                   {QStringLiteral("Rectangle 3"), QStringLiteral("Body %1").arg(n)}}));
    }
    return withSlides(slides);
}

QString textShape(int id, const QString& name, const QString& paragraphsXml)
{
    return QStringLiteral("<p:sp><p:nvSpPr><p:cNvPr id=\"%1\" name=\"%2\"/><p:cNvSpPr/><p:nvPr/></p:nvSpPr>"
                          "<p:spPr/><p:txBody><a:bodyPr/><a:lstStyle/>%3</p:txBody></p:sp>")
        .arg(id)
        .arg(name, paragraphsXml);
}

QString pictureShape(int id, const QString& name)
{
    return QStringLiteral("<p:pic><p:nvPicPr><p:cNvPr id=\"%1\" name=\"%2\"/><p:cNvPicPr/><p:nvPr/></p:nvPicPr>"
                          "<p:blipFill/><p:spPr/></p:pic>")
        .arg(id)
        .arg(name);
}

QByteArray makeDeck(const DeckRecipe& recipe)
{
    std::vector<QByteArray> slides;
    for (const QString& tree : recipe.slides) {
        slides.push_back(QByteArray(kXmlDeclaration) + "<p:sld " + kNamespaces +
                         "><p:cSld><p:spTree><p:nvGrpSpPr><p:cNvPr id=\"1\" name=\"\"/><p:cNvGrpSpPr/><p:nvPr/>"
                         "</p:nvGrpSpPr><p:grpSpPr/>" + tree.toUtf8() + "</p:spTree></p:cSld></p:sld>");
    }
    PackageParts parts = PackageParts::withSlides(slides, recipe.order);
    for (const QString& extra : recipe.extraParts) {
        const qsizetype equals = extra.indexOf(QLatin1Char('='));
        parts.set(extra.left(equals), extra.mid(equals + 1).toUtf8());
    }
    return parts.zip();
}

void PackageParts::set(const QString& name, const QByteArray& data)
{
    const auto found = m_index.constFind(name);
    if (found != m_index.constEnd()) {
        m_parts[static_cast<size_t>(*found)].second = data;
        return;
    }
    m_index.insert(name, static_cast<qsizetype>(m_parts.size()));
    m_parts.emplace_back(name, data);
}

void PackageParts::remove(const QString& name)
{
    std::erase_if(m_parts, [&](const auto& part) { return part.first == name; });
    m_index.clear();
    for (size_t i = 0; i < m_parts.size(); ++i)
        m_index.insert(m_parts[i].first, static_cast<qsizetype>(i));
}

QByteArray PackageParts::part(const QString& name) const
{
    const auto found = m_index.constFind(name);
    return found == m_index.constEnd() ? QByteArray() : m_parts[static_cast<size_t>(*found)].second;
}

QByteArray PackageParts::zip() const
{
    return zipParts(m_parts, nullptr, {});
}

QByteArray PackageParts::zipWithStreamedPart(const QString& name, const QByteArray& head, char fill,
                                             const QByteArray& tail, qint64 size) const
{
    StreamedContent content{head, fill, tail, size};
    PartList others = m_parts;
    std::erase_if(others, [&](const auto& part) { return part.first == name; });
    return zipParts(others, &content, name);
}

QByteArray withClaimedSize(QByteArray zip, const QString& name, quint32 claimedSize)
{
    forEachHeaderOf(zip, name.toUtf8(), [&](qsizetype header, qsizetype, bool central) {
        putLe32(zip, header + (central ? 24 : 22), claimedSize);
    });
    return zip;
}

namespace {

QByteArray renamed(QByteArray zip, const QByteArray& from, const QByteArray& to, bool centralToo)
{
    if (from.size() != to.size())
        throw std::invalid_argument("names must be of equal length");
    forEachHeaderOf(zip, from, [&](qsizetype, qsizetype nameAt, bool central) {
        if (!central || centralToo)
            std::memcpy(zip.data() + nameAt, to.constData(), static_cast<size_t>(to.size()));
    });
    return zip;
}

} // namespace

QByteArray withRenamedEntry(QByteArray zip, const QByteArray& from, const QByteArray& to)
{
    return renamed(std::move(zip), from, to, true);
}

QByteArray withLocalHeaderName(QByteArray zip, const QByteArray& from, const QByteArray& to)
{
    return renamed(std::move(zip), from, to, false);
}

} // namespace quillora::testing
