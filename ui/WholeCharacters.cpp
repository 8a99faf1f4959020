#include "WholeCharacters.h"

#include <QTextBoundaryFinder>

namespace kandorex {

qsizetype wholeCharactersWithin(const QString &text, qsizetype limit)
{
    if (limit <= 0)
        return 0;
    if (limit >= text.size())
        return text.size();
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    finder.setPosition(limit);
    if (!finder.isAtBoundary())
        finder.toPreviousBoundary();
    return qMax<qsizetype>(finder.position(), 0);
}

qsizetype wholeCharactersFrom(const QString &text, qsizetype from)
{
    if (from <= 0)
        return 0;
    if (from >= text.size())
        return text.size();
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    finder.setPosition(from);
    if (!finder.isAtBoundary())
        finder.toNextBoundary();
    return finder.position() < 0 ? text.size() : finder.position();
}

} // namespace kandorex
