#pragma once
// Word times in tests: a short way to write them, and readable failures.
#include "lyrics/TimedLyric.h"

#include <ostream>

namespace cantorel::lyrics {

inline void PrintTo(const LineWords& line, std::ostream* os)
{
    *os << '{';
    for (const WordTime& w : line.words)
        *os << '[' << w.start << '+' << w.length << " @" << w.timeHundredths << ']';
    *os << " end " << line.endHundredths << '}';
}

inline void PrintTo(const TimedLine& line, std::ostream* os)
{
    *os << '{' << line.timeCentis << " \"" << line.text.toStdString() << "\" \"" << line.translation.toStdString()
        << "\" ";
    PrintTo(line.words, os);
    *os << '}';
}

} // namespace cantorel::lyrics

namespace cantorel::testing {

// Words as {start, length, time in hundredths}, and the last one's end.
inline lyrics::LineWords words(std::initializer_list<lyrics::WordTime> list, double endHundredths = -1)
{
    return {QList<lyrics::WordTime>(list), endHundredths};
}

} // namespace cantorel::testing
