#pragma once
// The desktop's spelling dictionaries, as the window uses them: which
// languages have one, and for one language whether a word is known, what it
// might have been meant to be, and the two ways a user teaches it a word.
// Words are single words in the dictionary's own spelling rules; nothing here
// splits text.

#include <QString>
#include <QStringList>
#include <memory>

namespace quillora {

class SpellDictionary {
public:
    virtual ~SpellDictionary() = default;
    virtual bool knows(const QString& word) = 0;
    // The dictionary's best guesses first, at most `limit` of them.
    virtual QStringList suggestions(const QString& word, int limit) = 0;
    // Into the user's personal word list, which outlives the program.
    virtual void addToPersonalList(const QString& word) = 0;
    // Known from now until the program ends.
    virtual void ignoreWhileRunning(const QString& word) = 0;
};

class SpellDictionaries {
public:
    virtual ~SpellDictionaries() = default;
    // Language tags such as "en_US" or "de", one per installed dictionary.
    virtual QStringList languages() = 0;
    // Null when no dictionary for the tag can be opened.
    virtual std::unique_ptr<SpellDictionary> open(const QString& language) = 0;
};

} // namespace quillora
