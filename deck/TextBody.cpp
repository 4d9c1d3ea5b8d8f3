#include "deck/TextBody.h"

#include "deck/TextEscaping.h"
#include "deck/Xml.h"

#include <algorithm>
#include <array>

namespace quillora::deck::detail {
namespace {

constexpr char16_t kParagraphEnd = u'\r';
constexpr char16_t kLineFeed = u'\n';
constexpr char16_t kVerticalTab = u'\v';
constexpr char kBulletCharacter[] = "\xE2\x80\xA2"; // U+2022

// Child sequence of a:pPr (CT_TextParagraphProperties).
constexpr std::array<std::string_view, 17> kParagraphPropertiesOrder{
    "lnSpc", "spcBef", "spcAft", "buClrTx", "buClr", "buSzTx", "buSzPct", "buSzPts", "buFontTx", "buFont",
    "buNone", "buAutoNum", "buChar", "buBlip", "tabLst", "defRPr", "extLst"};

bool hasChild(pugi::xml_node parent, std::string_view local)
{
    return bool(child(parent, local));
}

void removeChildren(pugi::xml_node parent, std::initializer_list<std::string_view> locals)
{
    for (pugi::xml_node node = parent.first_child(); node;) {
        const pugi::xml_node next = node.next_sibling();
        if (node.type() == pugi::node_element
            && std::find(locals.begin(), locals.end(), localName(node)) != locals.end())
            parent.remove_child(node);
        node = next;
    }
}

void applyBullet(pugi::xml_node pPr, BulletChange change)
{
    const auto addBulletChar = [&] {
        insertInOrder(pPr, "buChar", kParagraphPropertiesOrder).append_attribute("char") = kBulletCharacter;
    };
    switch (change) {
    case BulletChange::Visible:
        if (hasChild(pPr, "buChar") || hasChild(pPr, "buAutoNum") || hasChild(pPr, "buBlip"))
            return;
        removeChildren(pPr, {"buNone"});
        addBulletChar();
        return;
    case BulletChange::Hidden:
        removeChildren(pPr, {"buNone", "buAutoNum", "buChar", "buBlip"});
        insertInOrder(pPr, "buNone", kParagraphPropertiesOrder);
        return;
    case BulletChange::Unnumbered:
        if (hasChild(pPr, "buChar"))
            return;
        removeChildren(pPr, {"buNone", "buAutoNum", "buBlip"});
        addBulletChar();
        return;
    case BulletChange::Numbered:
        if (hasChild(pPr, "buAutoNum"))
            return;
        removeChildren(pPr, {"buNone", "buChar", "buBlip"});
        insertInOrder(pPr, "buAutoNum", kParagraphPropertiesOrder).append_attribute("type") = "arabicPeriod";
        return;
    }
}

// Raw line ends inside a:t cannot be told apart from the paragraph and line
// structure in the string model, so they read as line breaks.
char16_t modelCharacter(QChar c)
{
    return c == QLatin1Char('\r') || c == QLatin1Char('\n') ? kVerticalTab : c.unicode();
}

} // namespace

TextBody::TextBody(pugi::xml_node txBody) : m_txBody(txBody), m_prefix("a:")
{
    for (pugi::xml_node node = txBody.first_child(); node; node = node.next_sibling()) {
        const std::string_view local = localName(node);
        if (node.type() == pugi::node_element && (local == "bodyPr" || local == "lstStyle" || local == "p")) {
            m_prefix = qualifiedPrefix(node);
            break;
        }
    }
    int endFormat = -1;
    bool first = true;
    for (pugi::xml_node node = txBody.first_child(); node; node = node.next_sibling()) {
        if (node.type() != pugi::node_element || localName(node) != "p")
            continue;
        if (!first)
            appendChar(kParagraphEnd, endFormat, -1);
        readParagraph(node, endFormat);
        first = false;
    }
    if (m_paragraphs.empty())
        m_paragraphs.push_back({});
    m_lastEndFormat = endFormat;
}

void TextBody::readParagraph(pugi::xml_node p, int& endFormat)
{
    Paragraph paragraph;
    endFormat = -1;
    const auto appendText = [&](pugi::xml_node element, int format, int field) {
        const QString text = unescapeOoxmlText(textOf(child(element, "t").child_value()));
        for (QChar c : text)
            appendChar(modelCharacter(c), format, field);
    };
    for (pugi::xml_node node = p.first_child(); node; node = node.next_sibling()) {
        if (node.type() != pugi::node_element)
            continue;
        const std::string_view local = localName(node);
        if (local == "pPr") {
            paragraph.properties = copyIntoStore(node);
        } else if (local == "r") {
            appendText(node, internFormat(child(node, "rPr")), -1);
        } else if (local == "br") {
            appendChar(kVerticalTab, internFormat(child(node, "rPr")), -1);
        } else if (local == "fld") {
            m_fields.push_back(copyIntoStore(node));
            appendText(node, internFormat(child(node, "rPr")), static_cast<int>(m_fields.size()) - 1);
        } else if (local == "endParaRPr") {
            endFormat = internFormat(node);
        } else {
            if (!paragraph.extras)
                paragraph.extras = m_store.append_child("extras");
            paragraph.extras.append_copy(node);
        }
    }
    m_paragraphs.push_back(paragraph);
}

pugi::xml_node TextBody::copyIntoStore(pugi::xml_node source)
{
    return m_store.append_copy(source);
}

int TextBody::internFormat(pugi::xml_node rPr)
{
    if (!rPr)
        return -1;
    pugi::xml_node copy = copyIntoStore(rPr);
    copy.set_name((m_prefix + "rPr").c_str());
    const std::string key = serializeNode(copy);
    const auto found = m_formatIndex.find(key);
    if (found != m_formatIndex.end()) {
        m_store.remove_child(copy);
        return found->second;
    }
    m_formats.push_back(copy);
    const int index = static_cast<int>(m_formats.size()) - 1;
    m_formatIndex.emplace(key, index);
    return index;
}

int TextBody::formatWithSize(int format, int hundredths)
{
    pugi::xml_document scratch;
    pugi::xml_node rPr = format >= 0 ? scratch.append_copy(m_formats[static_cast<size_t>(format)])
                                     : scratch.append_child((m_prefix + "rPr").c_str());
    pugi::xml_attribute size = rPr.attribute("sz");
    if (!size)
        size = rPr.append_attribute("sz");
    size = hundredths;
    return internFormat(rPr);
}

void TextBody::appendChar(char16_t c, int format, int field)
{
    m_text.append(QChar(c));
    if (c == kParagraphEnd)
        ++m_paragraphEnds;
    m_charFormats.push_back({format, field});
}

int TextBody::paragraphAt(int position) const
{
    // Counted from the nearer end: the shape text writer works at the end of
    // the text, and counting from the start made long statements quadratic.
    const QStringView text(m_text);
    if (position <= text.size() / 2)
        return static_cast<int>(text.left(position).count(QChar(kParagraphEnd)));
    return static_cast<int>(m_paragraphEnds - text.mid(position).count(QChar(kParagraphEnd)));
}

int TextBody::endFormatOf(int paragraph) const
{
    qsizetype end = -1;
    for (int seen = 0; seen <= paragraph; ++seen) {
        end = m_text.indexOf(QChar(kParagraphEnd), end + 1);
        if (end < 0)
            return m_lastEndFormat;
    }
    return m_charFormats[static_cast<size_t>(end)].format;
}

void TextBody::replace(int start, int count, const QString& text)
{
    const int format = count > 0 ? m_charFormats[static_cast<size_t>(start)].format
                       : start > 0 ? m_charFormats[static_cast<size_t>(start - 1)].format
                                   : endFormatOf(0);
    const int home = paragraphAt(start);
    const int merged = static_cast<int>(QStringView(m_text).mid(start, count).count(QChar(kParagraphEnd)));

    // Paragraphs whose ends are deleted join the one the range starts in.
    Paragraph& target = m_paragraphs[static_cast<size_t>(home)];
    for (int k = 1; k <= merged; ++k) {
        const Paragraph& gone = m_paragraphs[static_cast<size_t>(home + k)];
        if (!gone.extras)
            continue;
        if (!target.extras)
            target.extras = m_store.append_child("extras");
        for (pugi::xml_node node = gone.extras.first_child(); node; node = node.next_sibling())
            target.extras.append_copy(node);
    }
    m_paragraphs.erase(m_paragraphs.begin() + home + 1, m_paragraphs.begin() + home + 1 + merged);

    const int created = static_cast<int>(text.count(QChar(kParagraphEnd)));
    m_text.replace(start, count, text);
    m_paragraphEnds += created - merged;
    const auto first = m_charFormats.begin() + start;
    m_charFormats.erase(first, first + count);
    m_charFormats.insert(m_charFormats.begin() + start, static_cast<size_t>(text.size()), CharFormat{format, -1});

    // Each new paragraph takes the formatting of the one the insertion began in.
    for (int k = 0; k < created; ++k) {
        const pugi::xml_node properties = m_paragraphs[static_cast<size_t>(home)].properties;
        m_paragraphs.insert(m_paragraphs.begin() + home + 1,
                            Paragraph{properties ? copyIntoStore(properties) : pugi::xml_node{}, {}});
    }
    markChanged();
}

pugi::xml_node TextBody::propertiesFor(Paragraph& paragraph)
{
    if (!paragraph.properties)
        paragraph.properties = m_store.append_child((m_prefix + "pPr").c_str());
    return paragraph.properties;
}

void TextBody::setBullet(int start, int count, BulletChange change)
{
    const int first = paragraphAt(start);
    const int last = count > 0 ? paragraphAt(start + count - 1) : first;
    for (int k = first; k <= last; ++k)
        applyBullet(propertiesFor(m_paragraphs[static_cast<size_t>(k)]), change);
    markChanged();
}

void TextBody::setFontSize(int start, int count, int hundredths)
{
    std::map<int, int> resized; // old format -> sized format, within this call
    for (int i = start; i < start + count; ++i) {
        int& format = m_charFormats[static_cast<size_t>(i)].format;
        auto found = resized.find(format);
        if (found == resized.end())
            found = resized.emplace(format, formatWithSize(format, hundredths)).first;
        format = found->second;
        markChanged();
    }
}

void TextBody::writeBack()
{
    for (pugi::xml_node node = m_txBody.first_child(); node;) {
        const pugi::xml_node next = node.next_sibling();
        if (node.type() == pugi::node_element && localName(node) == "p")
            m_txBody.remove_child(node);
        node = next;
    }
    const std::string paragraphName = m_prefix + "p";
    int from = 0;
    for (size_t k = 0; k < m_paragraphs.size(); ++k) {
        qsizetype end = m_text.indexOf(QChar(kParagraphEnd), from);
        const int to = end < 0 ? length() : static_cast<int>(end);
        const bool lastParagraph = k + 1 == m_paragraphs.size();
        const int endFormat = lastParagraph ? m_lastEndFormat : m_charFormats[static_cast<size_t>(to)].format;
        writeParagraph(m_txBody.append_child(paragraphName.c_str()), m_paragraphs[k], from, to, endFormat);
        from = to + 1;
    }
    m_dirty = false;
}

void TextBody::writeParagraph(pugi::xml_node p, const Paragraph& paragraph, int from, int to, int endFormat)
{
    if (paragraph.properties)
        p.append_copy(paragraph.properties);
    // The "\n" of a "\r\n" pair lives only in the string.
    if (from > 0 && from < to && m_text[from] == QChar(kLineFeed))
        ++from;

    QString run;
    int runFormat = -1;
    int runField = -1;
    const auto flush = [&] {
        if (!run.isEmpty())
            appendRun(p, runFormat, runField, run);
        run.clear();
    };
    for (int i = from; i < to; ++i) {
        const QChar c = m_text[i];
        const CharFormat& format = m_charFormats[static_cast<size_t>(i)];
        if (c == QChar(kVerticalTab) || c == QChar(kLineFeed)) {
            flush();
            appendFormat(p.append_child((m_prefix + "br").c_str()), format.format, "rPr");
            continue;
        }
        if (!run.isEmpty() && (format.format != runFormat || format.field != runField))
            flush();
        runFormat = format.format;
        runField = format.field;
        run += c;
    }
    flush();
    if (paragraph.extras)
        for (pugi::xml_node node = paragraph.extras.first_child(); node; node = node.next_sibling())
            p.append_copy(node);
    if (endFormat >= 0)
        appendFormat(p, endFormat, "endParaRPr");
}

void TextBody::appendRun(pugi::xml_node p, int format, int field, const QString& text)
{
    pugi::xml_node run;
    if (field >= 0) {
        run = p.append_copy(m_fields[static_cast<size_t>(field)]);
        removeChildren(run, {"rPr", "t"});
        appendFormat(run, format, "rPr", run.first_child());
    } else {
        run = p.append_child((m_prefix + "r").c_str());
        appendFormat(run, format, "rPr");
    }
    run.append_child((m_prefix + "t").c_str()).text().set(escapeOoxmlText(text).toUtf8().constData());
}

void TextBody::appendFormat(pugi::xml_node parent, int format, const char* local, pugi::xml_node before)
{
    if (format < 0)
        return;
    const pugi::xml_node source = m_formats[static_cast<size_t>(format)];
    pugi::xml_node copy = before ? parent.insert_copy_before(source, before) : parent.append_copy(source);
    copy.set_name((m_prefix + local).c_str());
}

} // namespace quillora::deck::detail
