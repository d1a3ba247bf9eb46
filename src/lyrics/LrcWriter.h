#pragma once
// Writing LRC lyrics: what leaves Cantorel for other players, and the
// [offset:] tag that "Save offset into the lyric" puts into an LRC file.
#include "lyrics/TimedLyric.h"

#include <QString>

namespace cantorel::lyrics {

// The LRC text of a lyric, CR LF line ends, to be written as UTF-8: one
// "[mm:ss.xx]text" line per line in the lyric's order and, when the lyric is
// translated, a line of the same time with the translation right after it
// (also when the translation is empty, so each line keeps its partner).
// Texts are written as an LRC reader shows them (LrcReader.h: lrcLineText),
// so that reading the text back gives every line unchanged; a text from
// elsewhere that LRC cannot carry (control characters, time tags, blanks at
// either end) loses them.
// A line whose rounded time equals or falls just below the previous line's
// (times that do not decrease in the lyric) is written a hundredth after
// it, so no line can be read back as the previous line's translation;
// lines whose times decrease are written as they are, and come back sorted.
// A line with word times is written with its word tags, the end of its last
// word (when known) as a tag after the text:
//   [00:12.00]<00:12.00>Shine <00:12.80>on <00:13.40>me<00:14.10>
// which reads back as the same text with the same times to the hundredth.
QString lrcText(const TimedLyric& lyric);

// The same, line by line, for a writer that appends lines as they come (the
// lyric maker): linesOf gives the text lrcText writes for `line` at this
// place of the lyric, the translation line after it when `translated`.
class LrcLineWriter {
public:
    QString linesOf(const TimedLine& line, bool translated);

private:
    qint64 m_previous = -1; // the last line's time as written, hundredths
    double m_previousTime = 0;
};

// `lrc` (an LRC file's text) with its [offset:] value set to `offsetMs`
// (LRC sign): the first [offset:] tag is rewritten in place, or, when there
// is none, an "[offset:N]" line is put after the ID tag lines at the top.
// Nothing else in the text changes; line ends follow the file's own.
QString withLrcOffset(const QString& lrc, qint64 offsetMs);

} // namespace cantorel::lyrics
