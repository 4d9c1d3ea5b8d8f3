#pragma once
// The words for a package that readers could take for different decks, or
// that lacks what every reader needs; the tests check the same words.

#include <QString>

namespace quillora::deck::detail {

// Two entries whose names are one part name: which is the part depends on
// the reader.
inline QString partStoredTwice(const QString& displayName, const QString& part)
{
    return QStringLiteral("%1 is ambiguous: the part \"%2\" is stored twice.").arg(displayName, part);
}

// The central directory and the entry's own (local) header disagree about
// its name: readers that go by one or the other see different parts.
inline QString partStoredUnderAnotherName(const QString& displayName, const QString& part, const QString& otherName)
{
    return QStringLiteral("%1 is ambiguous: the part \"%2\" is stored under another name, \"%3\".")
        .arg(displayName, part, otherName);
}

// The list of entries reads differently depending on where a reader looks
// for it (e.g. a second end record inside the archive's comment).
inline QString directoryReadsTwoWays(const QString& displayName)
{
    return QStringLiteral("%1 is ambiguous: its list of parts can be read in more than one way.").arg(displayName);
}

inline QString slideWithoutLayout(const QString& displayName, int slideNumber, const QString& slidePart)
{
    return QStringLiteral("%1 is damaged: slide %2 (\"%3\") has no slide layout.")
        .arg(displayName)
        .arg(slideNumber)
        .arg(slidePart);
}

} // namespace quillora::deck::detail
