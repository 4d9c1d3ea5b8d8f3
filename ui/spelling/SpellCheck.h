#pragma once
// One dictionary as the statement boxes use it, with the switch that turns
// marking off and on. Without a dictionary nothing is ever marked.
//
// Answers are remembered: a plan repeats its words, and asking the
// dictionary costs microseconds a word where a lookup here costs a fraction.

#include "core/SpellChecking.h"

#include <QHash>
#include <QSet>
#include <QStringList>
#include <memory>

namespace quillora {

inline constexpr int kMaxSuggestions = 5;

class SpellCheck {
public:
    explicit SpellCheck(std::unique_ptr<SpellDictionary> dictionary) : m_dictionary(std::move(dictionary)) {}

    bool hasDictionary() const { return m_dictionary != nullptr; }
    void setDictionary(std::unique_ptr<SpellDictionary> dictionary)
    {
        m_dictionary = std::move(dictionary);
        m_known.clear();
    }
    bool enabled() const { return m_enabled; }
    void setEnabled(bool on) { m_enabled = on; }
    // True when marking is on and there is a dictionary to mark with.
    bool marking() const { return m_enabled && m_dictionary; }

    // Words never marked whatever the dictionary says: the program's own.
    void setOwnWords(QSet<QString> words) { m_ownWords = std::move(words); }

    bool isMisspelled(const QString& word);
    QStringList suggestions(const QString& word);
    void addToDictionary(const QString& word);
    void ignoreAll(const QString& word);

private:
    std::unique_ptr<SpellDictionary> m_dictionary;
    bool m_enabled = true;
    QHash<QString, bool> m_known;
    QSet<QString> m_ownWords;
};

} // namespace quillora
