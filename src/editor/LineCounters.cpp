#include "editor/LineCounters.h"

#include "editor/LinePair.h"

namespace cantorel::editor {

namespace {

constexpr quint32 kRed = 255;
constexpr quint32 kBlue = 16711680;

QString lineNumber(const LineColumn& c)
{
    return QString::number(c.current >= 0 ? c.current + 1 : 0);
}

} // namespace

CounterTexts counterTexts(const LinePair& lines)
{
    const LineColumn& left = lines.column(Side::Left);
    const LineColumn& right = lines.column(Side::Right);
    CounterTexts t;
    t.leftLineNumber = lineNumber(left);
    t.rightLineNumber = lineNumber(right);
    t.leftCount = QString::number(left.lines.size());
    t.rightCount = QString::number(right.lines.size());
    t.synchronizeAllowed = left.lines.size() == right.lines.size() && !left.lines.isEmpty();
    return t;
}

CountColours countColours(int leftCount, int rightCount)
{
    CountColours c;
    if (leftCount > rightCount) {
        c.left = colourFromBgr(kRed);
    } else if (rightCount > leftCount) {
        c.right = colourFromBgr(kRed);
    } else {
        c.left = colourFromBgr(kBlue);
        c.right = colourFromBgr(kBlue);
    }
    return c;
}

QColor colourFromBgr(quint32 value)
{
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

} // namespace cantorel::editor
