#include "ui/spelling/SpellCheck.h"

namespace quillora {
namespace {

// Far more distinct words than a plan holds; past it the answers start over.
constexpr qsizetype kRememberedWords = 100000;

} // namespace

bool SpellCheck::isMisspelled(const QString& word)
{
    if (!marking() || m_ownWords.contains(word))
        return false;
    auto known = m_known.constFind(word);
    if (known == m_known.cend()) {
        if (m_known.size() >= kRememberedWords)
            m_known.clear();
        known = m_known.insert(word, m_dictionary->knows(word));
    }
    return !*known;
}

QStringList SpellCheck::suggestions(const QString& word)
{
    return m_dictionary ? m_dictionary->suggestions(word, kMaxSuggestions) : QStringList();
}

// Both teach the dictionary more than the one spelling (its other
// capitalisations too), so every remembered answer may be out of date.
void SpellCheck::addToDictionary(const QString& word)
{
    if (!m_dictionary)
        return;
    m_dictionary->addToPersonalList(word);
    m_known.clear();
}

void SpellCheck::ignoreAll(const QString& word)
{
    if (!m_dictionary)
        return;
    m_dictionary->ignoreWhileRunning(word);
    m_known.clear();
}

} // namespace quillora
