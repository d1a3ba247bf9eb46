#pragma once
// Reading LRC lyrics, the timed-lyric text form most lyric players share:
//
//   [ti:Rain]                    ID tags (ti, ar, al, by, length, re, ve,
//   [offset:+250]                any other name) are never shown
//   [00:12.34]Rain on the river  a line sung from 12.34 s
//   [00:12.34]Pluie sur la rivière   same time again: its translation
//   [01:02.5][02:40.50]Chorus    several times: the text belongs to each
//   [00:20.00]<00:20.00>Rain <00:20.50>on <00:21.00>me<00:21.60>
//                                word times (below)
//
// Time tags: [m:ss], [mm:ss], [mm:ss.x], [mm:ss.xx], [mm:ss.xxx] and
// [mm:ss:xx] (hundredths after a colon); minutes may have up to six digits;
// more fraction digits are rounded to the millisecond. Tags may be separated
// by blanks. Lines may come in any order: they are sorted by time, lines of
// the same time keeping their order in the file.
//
// Of the lines that share one time, the first is the line, the second its
// translation, and any further ones are added to the translation after
// " / " (three-language files show two of them in the translated pane);
// empty ones add nothing.
// A line with a time tag and no text is an empty line (it clears the pane at
// that time); a text line without a time tag, a blank line, and anything in
// brackets before the first time tag of a line are ignored.
//
// Word times: a time tag inside a line's text, a word tag <mm:ss.xx> or a
// time tag after some text ("[00:05.00]hello [00:06.00]world"), starts a
// word there; a tag with nothing after it ends the last word; text before
// the first such tag is a word sung from the line's time (WordTimes.h:
// wordsOfMarks). The tags never show. A line with several times has its
// words at each of them as they are at the first one. Only the line gets
// word times, never its translation.
//
// [offset:N] (the first one in the file) is in milliseconds with the LRC
// sign: a positive N shows every line N ms earlier, and its words with it.
// Times moved before the song's start are clamped at 0.
//
// What a text shows is lrcLineText's: a text in that form reads back the
// same from an LRC file (an export followed by an import changes nothing).
#include "lyrics/TimedLyric.h"

#include <QString>
#include <QStringView>
#include <vector>

namespace cantorel::lyrics {

constexpr qsizetype kMaxLrcLineChars = 1000;
// An LRC file yields at most this many lines (the earliest ones); far more
// than the table holds, so an export keeps every real lyric whole.
constexpr qsizetype kMaxLrcLines = 20000;
// Offsets are kept within a day either way; beyond it every line is at 0.
constexpr qint64 kMaxOffsetMs = 24LL * 3600 * 1000;

struct LrcLyric {
    // At least one time tag was found: a text without any is not a lyric.
    bool isLyric = false;
    // The [offset:] value read, LRC sign, milliseconds; 0 when there is none.
    qint64 offsetMs = 0;
    // The lines in time order, the offset applied (times clamped at 0).
    TimedLyric lyric;
    // Lines past kMaxLrcLines were dropped.
    bool cutShort = false;
    // Where in the text the [offset:] tag that counted is (-1: none), and
    // where the first line with a time tag starts (-1: none).
    qsizetype offsetTagStart = -1;
    qsizetype offsetTagLength = 0;
    qsizetype firstTimedLine = -1;
};

LrcLyric parseLrc(QStringView text);

// The text a line shows: control characters (C0 but tab, DEL, C1) and stray
// byte-order marks dropped, then word tags and square time tags inside it
// taken out (with one of the blanks around each: "a <00:01.50> b" shows
// "a b"), trimmed, cut at kMaxLrcLineChars characters. What it returns is
// its own result: lrcLineText(lrcLineText(x)) == lrcLineText(x).
QString lrcLineText(QStringView raw);

// Timed texts from elsewhere (a tag in the song) made into a lyric by the
// same rules: sorted by time, same-time texts paired as line and
// translation, texts cleaned and cut, word tags in them made word times,
// at most kMaxLrcLines lines.
struct TimedText {
    qint64 timeMs;
    QString text;
};
TimedLyric lyricOfTimedTexts(std::vector<TimedText> texts, bool* cutShort = nullptr);

} // namespace cantorel::lyrics
