// Temporary bodies while the engine is being written; every call refuses.
#include "deck/Deck.h"

namespace quillora::deck {

namespace {
[[noreturn]] void notYet() { throw DeckError(QStringLiteral("not implemented yet")); }
} // namespace

namespace detail {
struct PresentationData {};
struct SlideData {};
struct ShapeData {};
} // namespace detail

DeckError::DeckError(const QString& description) : std::runtime_error(description.toStdString()) {}

Presentation::Presentation() = default;
Presentation::~Presentation() = default;
std::unique_ptr<Presentation> Presentation::open(const QString&) { notYet(); }
std::unique_ptr<Presentation> Presentation::fromBytes(const QByteArray&, const QString&) { notYet(); }
void Presentation::saveAs(const QString&) { notYet(); }
QByteArray Presentation::toBytes() { notYet(); }
QString Presentation::path() const { notYet(); }
int Presentation::slideCount() const { notYet(); }
Slide& Presentation::slide(int) { notYet(); }

Slide::Slide() = default;
Slide::~Slide() = default;
int Slide::number() const { notYet(); }
int Slide::shapeCount() const { notYet(); }
Shape& Slide::shape(int) { notYet(); }
Shape& Slide::shape(const QString&) { notYet(); }
Presentation& Slide::presentation() { notYet(); }

Shape::Shape() = default;
Shape::~Shape() = default;
QString Shape::name() const { notYet(); }
int Shape::number() const { notYet(); }
bool Shape::hasTextFrame() const { notYet(); }
TextRange Shape::textRange() { notYet(); }
Slide& Shape::slide() { notYet(); }

TextRange::TextRange(Shape& shape, int start, int length, bool whole)
    : m_shape(&shape), m_start(start), m_length(length), m_whole(whole) {}
QString TextRange::text() const { notYet(); }
int TextRange::start() const { notYet(); }
int TextRange::length() const { notYet(); }
void TextRange::setText(const QString&) { notYet(); }
TextRange TextRange::characters(int, int) const { notYet(); }
void TextRange::setBulletVisible(int) { notYet(); }
void TextRange::setBulletType(int) { notYet(); }
void TextRange::setFontSize(double) { notYet(); }
Shape& TextRange::shape() const { return *m_shape; }

} // namespace quillora::deck
