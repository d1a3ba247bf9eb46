#pragma once
// The player's other windows, each made the first time it is wanted and
// kept until the program ends (the maker alone is made anew each time it
// opens and deleted when it closes): the playlist, the lyric maker, the
// lyric editor, the floating lyric window and the display options. They are
// windows of their own, not children of the player, so that disabling the
// player while the maker is open leaves them usable.
//
// User-interface thread only.
#include <QIcon>
#include <QObject>
#include <QPointer>

class QWidget;

namespace cantorel {

class AudioFailurePolicy;
class Form1b;
class Form2;
class LyricPane;
class Lyric_Displayer;
class Lyric_Master;
class PlayerController;
class Playlist;
class Prompts;
namespace engine {
class AudioEngine;
}

class PlayerWindows : public QObject {
    Q_OBJECT
public:
    struct Needs {
        PlayerController& player; // the playlist's entries, order and songs
        engine::AudioEngine& engine;
        Prompts& prompts;
        AudioFailurePolicy& failures;
        LyricPane& text1; // the panes the display options write into
        LyricPane& text2;
    };

    PlayerWindows(Needs needs, QIcon icon, QObject* parent = nullptr);
    ~PlayerWindows() override;

    Playlist& playlist();
    bool hasPlaylist() const { return m_playlist != nullptr; }
    Lyric_Master& lyricEditor();
    bool hasLyricEditor() const { return m_editor != nullptr; }
    Lyric_Displayer& floatingWindow();
    bool hasFloatingWindow() const { return m_floating != nullptr; }
    Form1b& optionsWindow();
    // The maker while it is open; null otherwise.
    Form2* maker() const;
    // Shows the maker, made (and its engine connection started) when it is
    // not open.
    Form2& showMaker();
    // Opens the maker for the player's window `owner`: a song playing or
    // paused is stopped first if the user agrees, and the player is busy
    // until the maker closes. Null when the user keeps the song playing.
    Form2* openMaker(QWidget& owner);

Q_SIGNALS:
    // The maker has closed: the player may be used again.
    void makerClosed();
    // "Apply And close" of the display options asks for the player.
    void playerWanted();
    // The playlist window was made (on first use).
    void playlistMade(Playlist& playlist);
    // The maker completed a recording of `mediaPath` (Form2::lyricRecorded).
    void lyricRecorded(const QString& mediaPath, qint64 lengthMs);

private:
    Needs m_needs;
    QIcon m_icon;
    Playlist* m_playlist = nullptr;
    Lyric_Master* m_editor = nullptr;
    Lyric_Displayer* m_floating = nullptr;
    Form1b* m_options = nullptr;
    QPointer<Form2> m_maker;
};

} // namespace cantorel
