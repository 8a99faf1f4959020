#include "TextBoundaries.h"

#include <QTextBoundaryFinder>
#include <algorithm>
#include <vector>

namespace kandorex {
namespace {

// Every position where an item of the given kind starts, and the text's end: 0 … length.
std::vector<int> itemStarts(const QString &text, QAccessible::TextBoundaryType type)
{
    const int length = int(text.size());
    std::vector<int> starts{0};
    if (length == 0)
        return starts;

    switch (type) {
    case QAccessible::CharBoundary:
    case QAccessible::WordBoundary:
    case QAccessible::SentenceBoundary: {
        const auto kind = type == QAccessible::CharBoundary   ? QTextBoundaryFinder::Grapheme
                          : type == QAccessible::WordBoundary ? QTextBoundaryFinder::Word
                                                              : QTextBoundaryFinder::Sentence;
        QTextBoundaryFinder finder(kind, text);
        // Walks forward only, and stops at the end: each step moves by at least one position.
        for (qsizetype next = finder.toNextBoundary(); next > 0 && next <= length;
             next = finder.toNextBoundary())
            starts.push_back(int(next));
        break;
    }
    case QAccessible::LineBoundary:
    case QAccessible::ParagraphBoundary:
        for (qsizetype feed = text.indexOf(u'\n'); feed >= 0 && feed + 1 < length;
             feed = text.indexOf(u'\n', feed + 1))
            starts.push_back(int(feed + 1));
        break;
    case QAccessible::NoBoundary:
        break;
    }
    if (starts.back() != length)
        starts.push_back(length);
    return starts;
}

} // namespace

TextRange textItem(const QString &text, int offset, QAccessible::TextBoundaryType type,
                   TextSide side)
{
    const int length = int(text.size());
    offset = std::clamp(offset, 0, length);
    const std::vector<int> starts = itemStarts(text, type);

    // The item holding `offset`; at the end of the text only a line (or the whole text) is there.
    const auto itemAt = [&](int position) -> TextRange {
        if (position >= length) {
            const bool lineLike = type == QAccessible::LineBoundary ||
                                  type == QAccessible::ParagraphBoundary ||
                                  type == QAccessible::NoBoundary;
            if (lineLike && starts.size() > 1)
                return {starts[starts.size() - 2], length};
            return {length, length};
        }
        const auto next = std::upper_bound(starts.begin(), starts.end(), position);
        return {*(next - 1), *next};
    };

    const TextRange at = itemAt(offset);
    switch (side) {
    case TextSide::At:
        return at;
    case TextSide::Before: {
        const int from = at.start < at.end ? at.start : offset;
        if (from == 0)
            return {0, 0};
        const auto start = std::lower_bound(starts.begin(), starts.end(), from);
        return {*(start - 1), from};
    }
    case TextSide::After: {
        const int from = at.start < at.end ? at.end : offset;
        if (from >= length)
            return {length, length};
        return itemAt(from);
    }
    }
    return at;
}

} // namespace kandorex
