#pragma once
// "Lyric encoding" in the player's lyric menu: "Automatic" (the encoding the
// file's bytes say, shown beside it) and every encoding lyric files are
// written in. A choice is remembered for the files of the loaded lyric (the
// lyric pair's two files, or the LRC file; lyrics/EncodingChoices.h), then
// chosen() asks the player to load the lyric again at once. Without a lyric
// file (none, or one embedded in the song) the menu is disabled.
//
// User-interface thread only.
#include "lyrics/LyricSource.h"
#include "lyrics/TextEncoding.h"

#include <QObject>
#include <QStringList>

#include <optional>

class QAction;
class QActionGroup;
class QMenu;
class QWidget;

namespace cantorel {

namespace lyrics {
class EncodingChoices;
}

class LyricEncodingMenu : public QObject {
    Q_OBJECT
public:
    // `choices` (may be null: the menu stays disabled) must outlive the menu.
    LyricEncodingMenu(lyrics::EncodingChoices* choices, QWidget* parent);

    // "mn_encoding", with "mn_encoding_auto" and one action per encoding
    // ("mn_encoding_GB18030", ...).
    QMenu* menu() const { return m_menu; }

    // The lyric now loaded comes from `origin` (for `mediaPath`).
    void setLyric(const QString& mediaPath, const lyrics::LyricOrigin& origin);
    QStringList lyricFiles() const { return m_files; }

Q_SIGNALS:
    // The encoding of the lyric's files changed: load the lyric again.
    void chosen();
    // The choice holds for this run, but could not be kept for the next.
    void notRemembered(const QString& reason);

private:
    void refresh();
    void choose(std::optional<lyrics::TextEncoding> encoding);

    lyrics::EncodingChoices* m_choices;
    QMenu* m_menu;
    QActionGroup* m_group;
    QAction* m_automatic;
    QStringList m_files;
};

} // namespace cantorel
