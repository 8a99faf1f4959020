#pragma once

#include <QString>

namespace kandorex {

// Where a text may be cut without splitting a character: between grapheme clusters, so a
// surrogate pair (an emoji, a rare Han character) or a letter with its accents stays whole.

// The length of the longest start of `text` that is at most `limit` code units long.
qsizetype wholeCharactersWithin(const QString &text, qsizetype limit);

// The first cut at or after `from`: where the shortest end of `text` that is at most
// `text.size() - from` code units long begins.
qsizetype wholeCharactersFrom(const QString &text, qsizetype from);

} // namespace kandorex
