#pragma once
// How a run of a shape's text is addressed: a 1-based start and a length,
// as Characters(start, length) takes them. The one rule for clipping them,
// shared by the engine's text ranges and the Impress plugin's (header-only,
// so the plugin needs no Quillora library for it).

#include <algorithm>
#include <optional>

namespace quillora::deck {

struct CharacterSpan {
    int start = 1; // 1-based
    int length = 0;
};

// A span made before the text got shorter never points past its end.
inline int clippedSpanStart(int start, int textLength)
{
    return std::min(start, textLength + 1);
}
inline int clippedSpanLength(int start, int length, int textLength)
{
    return std::max(0, std::min(length, textLength - clippedSpanStart(start, textLength) + 1));
}

// The sub-span Characters(start, length) takes of the span at base with
// `available` characters: length -1 means one character, a start past the
// end gives the last character, lengths are clipped at the end; of an empty
// span, the empty span at its start. Nothing for a start below 1 or a
// length below -1.
inline std::optional<CharacterSpan> subSpan(int base, int available, int start, int length)
{
    if (start < 1 || length < -1)
        return std::nullopt;
    if (available == 0)
        return CharacterSpan{base, 0};
    if (length == -1)
        length = 1;
    if (start > available) {
        start = available;
        length = std::min(length, 1);
    }
    length = std::min(length, available - start + 1);
    return CharacterSpan{base + start - 1, length};
}

} // namespace quillora::deck
