#pragma once
// Lets failing tests print timed lines as time and texts.
#include "lyrics/TimedLyric.h"

#include <ostream>

namespace cantorel::lyrics {

inline void PrintTo(const TimedLine& l, std::ostream* os)
{
    *os << l.timeCentis << " \"" << l.text.toStdString() << "\" \"" << l.translation.toStdString() << '"';
}

} // namespace cantorel::lyrics
