#include "deck/DeckData.h"
#include "deck/PackageRefusals.h"
#include "deck/RunnableContent.h"
#include "deck/Xml.h"
#include "deck/XmlElementAccess.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillora::deck {

using detail::PresentationData;

namespace {

constexpr qint64 kMaxFileBytes = 256ll << 20;

const QStringList kPresentationContentTypes{
    QString::fromLatin1(detail::kPresentationMainContentType),
    QStringLiteral("application/vnd.openxmlformats-officedocument.presentationml.slideshow.main+xml"),
    QStringLiteral("application/vnd.openxmlformats-officedocument.presentationml.template.main+xml"),
    QStringLiteral("application/vnd.ms-powerpoint.presentation.macroEnabled.main+xml"),
    QStringLiteral("application/vnd.ms-powerpoint.slideshow.macroEnabled.main+xml"),
    QStringLiteral("application/vnd.ms-powerpoint.template.macroEnabled.main+xml"),
};

// The relationship id of a p:sldId is its r:id attribute, whatever prefix
// the producer bound to the relationships namespace.
QString relationshipIdOf(pugi::xml_node sldId)
{
    for (pugi::xml_attribute attribute : sldId.attributes()) {
        const std::string_view name = attribute.name();
        if (name.size() > 3 && name.substr(name.size() - 3) == ":id")
            return QString::fromUtf8(attribute.value());
    }
    return {};
}

// What stands at a path when it is not a regular file, for a sentence.
const char* specialFileKind(mode_t mode)
{
    if (S_ISREG(mode))
        return nullptr;
    if (S_ISDIR(mode))
        return "a folder";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "a device";
    if (S_ISFIFO(mode))
        return "a named pipe";
    if (S_ISSOCK(mode))
        return "a socket";
    return "a special file";
}

// Opens only a regular file: a named pipe without a writer would block the
// open for good and a device such as /dev/zero never ends. Looked at before
// opening (opening some devices already does something), then opened
// without waiting and looked at again, in case the name changed hands.
void openRegularFile(QFile& file, const QString& displayName)
{
    const QByteArray path = QFile::encodeName(file.fileName());
    struct stat status{};
    const auto refuseSpecial = [&] {
        if (const char* kind = specialFileKind(status.st_mode))
            throw DeckError(QStringLiteral("%1 is %2, not a presentation file.").arg(displayName, QLatin1String(kind)));
    };
    if (::stat(path.constData(), &status) == 0)
        refuseSpecial();
    const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        throw DeckError(
            QStringLiteral("The presentation %1 cannot be opened: %2.").arg(file.fileName(), qt_error_string(errno)));
    }
    if (::fstat(fd, &status) != 0 || specialFileKind(status.st_mode)) {
        ::close(fd);
        refuseSpecial();
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        throw DeckError(QStringLiteral("The presentation %1 cannot be opened: %2.").arg(file.fileName(), file.errorString()));
    }
}

} // namespace

DeckError::DeckError(const QString& description, Kind kind)
    : std::runtime_error(description.toStdString()), m_kind(kind)
{
}

Presentation::Presentation() : d(std::make_unique<PresentationData>()) {}
Presentation::~Presentation() = default;

std::unique_ptr<Presentation> Presentation::open(const QString& path)
{
    const QString displayName = QFileInfo(path).fileName();
    QFile file(path);
    openRegularFile(file, displayName);
    // Far beyond any deck this program makes or reads; not read into memory.
    if (file.size() > kMaxFileBytes)
        throw DeckError(QStringLiteral("%1 is too large to be opened as a presentation.").arg(displayName));
    return PresentationData::load(file.readAll(), path, displayName);
}

std::unique_ptr<Presentation> Presentation::fromBytes(const QByteArray& bytes, const QString& name)
{
    return PresentationData::load(bytes, name, name.isEmpty() ? QStringLiteral("The file") : name);
}

std::unique_ptr<Presentation> PresentationData::load(const QByteArray& bytes, const QString& path,
                                                     const QString& displayName)
{
    std::unique_ptr<Presentation> presentation(new Presentation);
    PresentationData& data = *presentation->d;
    data.path = path;
    data.displayName = displayName;
    data.package.emplace(bytes, displayName);
    detail::OpcPackage& package = *data.package;

    const QString mainPart = package.relatedPart({}, QString::fromLatin1(detail::kOfficeDocumentRelationship));
    if (mainPart.isEmpty() || !package.find(mainPart)
        || !kPresentationContentTypes.contains(package.contentType(mainPart)))
        throw DeckError(QStringLiteral("%1 holds no presentation.").arg(displayName));
    // On open rather than on save: the engine never holds the macros, so
    // every way of saving (saveAs, toBytes) writes a deck without them.
    detail::removeRunnableContent(package, mainPart);

    data.mainPart = mainPart;
    data.main = detail::parseXml(package.bytesOf(mainPart), mainPart, displayName);
    std::vector<detail::Relationship> relationships = package.relationships(mainPart);
    const pugi::xml_node slideList = detail::child(data.main->document_element(), "sldIdLst");
    for (pugi::xml_node sldId : slideList.children()) {
        if (detail::localName(sldId) != "sldId")
            continue;
        const QString id = relationshipIdOf(sldId);
        const auto relationship = std::find_if(relationships.begin(), relationships.end(),
                                               [&](const detail::Relationship& r) { return r.id == id; });
        if (relationship == relationships.end() || relationship->external)
            throw DeckError(QStringLiteral("%1 is damaged: slide %2 has no part.").arg(displayName).arg(data.slides.size() + 1));

        std::unique_ptr<Slide> slide(new Slide);
        detail::SlideData& slideData = *slide->d;
        slideData.presentation = presentation.get();
        slideData.number = static_cast<int>(data.slides.size()) + 1;
        slideData.partName = relationship->target;
        slideData.document = detail::parseXml(package.bytesOf(slideData.partName), slideData.partName, displayName);
        // Every reader lays a slide out by its layout; one without it opens
        // nowhere else, so neither would the deck filled from it.
        const QString layout =
            package.relatedPart(slideData.partName, QString::fromLatin1(detail::kSlideLayoutRelationship));
        if (layout.isEmpty() || !package.find(layout))
            throw DeckError(detail::slideWithoutLayout(displayName, slideData.number, slideData.partName));
        slideData.layoutPart = layout;
        slideData.readShapes(*slide);
        data.slides.push_back(std::move(slide));
    }
    return presentation;
}

void PresentationData::writeBackEdits()
{
    for (const std::unique_ptr<Slide>& slide : slides) {
        bool edited = slide->d->partEdited;
        for (const std::unique_ptr<Shape>& shape : slide->d->shapes) {
            if (shape->d->text && shape->d->text->dirty()) {
                shape->d->text->writeBack();
                edited = true;
            }
        }
        if (edited)
            package->replace(slide->d->partName, detail::serializeXml(*slide->d->document));
        slide->d->partEdited = false;
    }
}

pugi::xml_node PresentationData::readOnlyPart(const QString& partName)
{
    if (partName.isEmpty() || !package->find(partName))
        return {};
    std::unique_ptr<pugi::xml_document>& document = readOnlyParts[partName];
    if (!document)
        document = detail::parseXml(package->bytesOf(partName), partName, displayName);
    return document->document_element();
}

QByteArray Presentation::toBytes()
{
    d->writeBackEdits();
    return d->package->toZip();
}

void Presentation::saveAs(const QString& path)
{
    const QByteArray bytes = toBytes();
    // QSaveFile writes beside the target and renames only on commit, so a
    // failed save leaves whatever was there before untouched.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw DeckError(QStringLiteral("The presentation cannot be saved as %1: %2.").arg(path, file.errorString()));
}

QString Presentation::path() const
{
    return d->path;
}

QString Presentation::savedBy() const
{
    static constexpr char kExtendedProperties[] =
        "http://schemas.openxmlformats.org/officeDocument/2006/relationships/extended-properties";
    try {
        const QString part = d->package->relatedPart(QString(), QLatin1String(kExtendedProperties));
        const pugi::xml_node application = detail::child(d->readOnlyPart(part), "Application");
        return detail::textOf(application.child_value()).trimmed();
    } catch (const DeckError&) {
        return {}; // properties that cannot be read say nothing
    }
}

int Presentation::slideCount() const
{
    return static_cast<int>(d->slides.size());
}

Slide& Presentation::slide(int number)
{
    return detail::itemAt(d->slides, number);
}

Slide& Presentation::duplicateSlide(int number)
{
    return d->duplicateSlide(*this, number);
}

Slide& PresentationData::duplicateSlide(Presentation& presentation, int number)
{
    Slide& source = presentation.slide(number);
    writeBackEdits();
    detail::OpcPackage& package = *this->package;
    const QString sourcePart = source.d->partName;
    const QString folder = sourcePart.left(sourcePart.lastIndexOf(QLatin1Char('/')) + 1);
    QString partName;
    for (int n = presentation.slideCount() + 1; partName.isEmpty() || package.find(partName); ++n)
        partName = folder + QStringLiteral("slide%1.xml").arg(n);
    package.add(partName, package.bytesOf(sourcePart));
    package.setContentType(partName, package.contentType(sourcePart));
    // Notes belong to one slide; the copy starts without.
    package.copyRelationships(sourcePart, partName, {QString::fromLatin1(detail::kNotesSlideRelationship)});
    const QString relationshipId =
        package.addRelationship(mainPart, QString::fromLatin1(detail::kSlideRelationship), partName);

    // Listed right after the source, under an id no other slide has.
    pugi::xml_node slideList = detail::child(main->document_element(), "sldIdLst");
    const std::vector<detail::Relationship> relationships = package.relationships(mainPart);
    pugi::xml_node sourceEntry;
    unsigned maxId = 255;
    for (pugi::xml_node sldId : slideList.children()) {
        if (detail::localName(sldId) != "sldId")
            continue;
        maxId = std::max(maxId, sldId.attribute("id").as_uint());
        for (const detail::Relationship& r : relationships) {
            if (r.id == relationshipIdOf(sldId) && r.target == sourcePart)
                sourceEntry = sldId;
        }
    }
    if (!sourceEntry)
        throw DeckError(QStringLiteral("%1 is damaged: slide %2 is not listed.").arg(displayName).arg(number));
    pugi::xml_node entry = slideList.insert_copy_after(sourceEntry, sourceEntry);
    entry.attribute("id").set_value(maxId + 1);
    for (pugi::xml_attribute attribute : entry.attributes()) {
        const std::string_view name = attribute.name();
        if (name.size() > 3 && name.substr(name.size() - 3) == ":id")
            attribute.set_value(relationshipId.toUtf8().constData());
    }
    package.replace(mainPart, detail::serializeXml(*main));

    std::unique_ptr<Slide> copy(new Slide);
    detail::SlideData& data = *copy->d;
    data.presentation = &presentation;
    data.partName = partName;
    data.layoutPart = source.d->layoutPart;
    data.document = detail::parseXml(package.bytesOf(partName), partName, displayName);
    data.readShapes(*copy);
    Slide& made = *copy;
    slides.insert(slides.begin() + number, std::move(copy));
    for (int n = number + 1; n <= presentation.slideCount(); ++n)
        slides[size_t(n - 1)]->d->number = n;
    return made;
}

XmlElement Presentation::element() const
{
    return XmlElementAccess::wrap(d->main->document_element());
}

} // namespace quillora::deck
