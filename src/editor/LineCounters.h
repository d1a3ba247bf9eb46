#pragma once
// What the editor's counters show: the current line numbers, the line counts,
// whether "Synchronize Movement" may be ticked, and the colours of the counts.
#include <QColor>
#include <QString>
#include <optional>

namespace cantorel::editor {

class LinePair;

struct CounterTexts {
    QString leftLineNumber; // current index + 1, or "0" when no line is current
    QString rightLineNumber;
    QString leftCount; // number of lines
    QString rightCount;
    bool synchronizeAllowed = false; // same number of lines, at least one
};

CounterTexts counterTexts(const LinePair& lines);

// The colours the count labels take when one of their captions changes. A
// label without a colour here keeps the one it has: the side with more lines
// turns red, and equal counts turn both blue.
struct CountColours {
    std::optional<QColor> left;
    std::optional<QColor> right;
};

CountColours countColours(int leftCount, int rightCount);

// A colour given as 0x00BBGGRR.
QColor colourFromBgr(quint32 value);

} // namespace cantorel::editor
