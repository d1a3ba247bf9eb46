#pragma once
// How `cantorel-lyrics follow` writes the line being heard, one output line
// per change, for status bars and terminals:
// - by default the lyric's line ("--translation": the translation's, or
//   the lyric's when the song has none), and an empty line in a silence
//   (before the first line, an empty line of the lyric, a track without a
//   lyric, no player);
// - a template: the text with {line}, {translation}, {title}, {artist},
//   {album} and {player} put in ("{{" and "}}" are braces), or an empty
//   line in a silence;
// - "json": one compact object per change, {"text": the line as above,
//   "line", "translation", "title", "artist", "album", "player"}, with
//   "text" empty in a silence.
// Line breaks inside a text become blanks, so a change is always one line.
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace cantorel::follow {

struct HeardLine {
    QString line;
    QString translation;
    bool hasTranslation = false;
    QString title;
    QString artist;
    QString album;
    QString player;
    bool operator==(const HeardLine&) const = default;
};

class LineFormat {
public:
    // nullopt for a template with a name not listed above (`error` says
    // which).
    static std::optional<LineFormat> parse(const QString& format, bool translated, QString* error);

    // The output line for `heard`, without its line break.
    QString render(const HeardLine& heard) const;

private:
    struct Piece {
        QString literal;
        QString field; // "" for a literal
    };
    QString textOf(const HeardLine& heard) const;

    bool m_json = false;
    bool m_translated = false;
    std::vector<Piece> m_pieces; // empty: the text alone
};

} // namespace cantorel::follow
