#pragma once

#include <QAccessible>
#include <QString>

namespace kandorex {

// A run of text, from its first character to the one after its last.
struct TextRange {
    int start = 0;
    int end = 0;
};

enum class TextSide { Before, At, After };

// The character, word, sentence, line or paragraph of `text` before, at or after `offset`
// (0 to the text's length), as a screen reader asks for it. Characters are grapheme clusters;
// words, and the spaces and signs between them, and sentences are found by Unicode's rules
// (QTextBoundaryFinder); a line or paragraph ends after a line feed; NoBoundary is the whole
// text. At the end of the text there is no character, word or sentence (an empty range at the
// end), but there is the last line. Before the first item and after the last the range is empty.
TextRange textItem(const QString &text, int offset, QAccessible::TextBoundaryType type,
                   TextSide side);

} // namespace kandorex
