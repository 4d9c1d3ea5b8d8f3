#pragma once
// One dictionary as the statement boxes use it, with the switch that turns
// marking off and on. Without a dictionary nothing is ever marked.

#include "core/SpellChecking.h"

#include <QStringList>
#include <memory>

namespace quillora {

inline constexpr int kMaxSuggestions = 5;

class SpellCheck {
public:
    explicit SpellCheck(std::unique_ptr<SpellDictionary> dictionary) : m_dictionary(std::move(dictionary)) {}

    bool hasDictionary() const { return m_dictionary != nullptr; }
    bool enabled() const { return m_enabled; }
    void setEnabled(bool on) { m_enabled = on; }
    // True when marking is on and there is a dictionary to mark with.
    bool marking() const { return m_enabled && m_dictionary; }

    bool isMisspelled(const QString& word) { return marking() && !m_dictionary->knows(word); }
    QStringList suggestions(const QString& word)
    {
        return m_dictionary ? m_dictionary->suggestions(word, kMaxSuggestions) : QStringList();
    }
    void addToDictionary(const QString& word)
    {
        if (m_dictionary)
            m_dictionary->addToPersonalList(word);
    }
    void ignoreAll(const QString& word)
    {
        if (m_dictionary)
            m_dictionary->ignoreForSession(word);
    }

private:
    std::unique_ptr<SpellDictionary> m_dictionary;
    bool m_enabled = true;
};

} // namespace quillora
