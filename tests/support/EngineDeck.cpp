#include "tests/support/EngineDeck.h"

namespace quillora::testing {

EngineDeck::EngineDeck(const QString& path)
    : m_path(path)
{
    m_engine.registerWith(m_runtime);
    m_application = m_runtime.CreateObject(QLatin1String(automation::kPowerPointClass));
    m_deck = m_application->presentations()->open(path);
}

void EngineDeck::write(int slide, const QString& shape, const QStringList& lines)
{
    automation::Ref<automation::TextRange> range = m_deck->slides()->item(static_cast<qint16>(slide))->shapes()->item(shape)->textFrame()->textRange();
    updateText(m_context, lines, range);
}

void EngineDeck::setText(int slide, int shape, const QString& text)
{
    m_deck->slides()->item(static_cast<qint16>(slide))->shapes()->item(static_cast<qint16>(shape))->textFrame()->textRange()->setText(text);
}

QByteArray EngineDeck::pack()
{
    m_deck.release();
    m_application.release();
    return m_engine.packOpenDeck(m_path);
}

void EngineDeck::save()
{
    m_deck.release();
    m_application.release();
    m_engine.writeOpenDecks();
}

} // namespace quillora::testing
