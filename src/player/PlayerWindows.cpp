#include "player/PlayerWindows.h"

#include "common/Prompts.h"
#include "controller/PlayerController.h"
#include "editor/Lyric_Master.h"
#include "floating/Lyric_Displayer.h"
#include "maker/Form2.h"
#include "options/Form1b.h"
#include "playlistwindow/Playlist.h"
#include "widgets/LyricPane.h"

namespace cantorel {

PlayerWindows::PlayerWindows(Needs needs, QIcon icon, QObject* parent)
    : QObject(parent), m_needs(needs), m_icon(std::move(icon))
{}

PlayerWindows::~PlayerWindows()
{
    m_needs.player.setSelection(nullptr);
    delete m_maker.data();
    delete m_playlist;
    delete m_editor;
    delete m_floating;
    delete m_options;
}

Form2* PlayerWindows::maker() const
{
    return m_maker.data();
}

Playlist& PlayerWindows::playlist()
{
    if (!m_playlist) {
        PlayerController& player = m_needs.player;
        m_playlist = new Playlist(m_needs.prompts, player.playlist(), player.playOrder());
        m_playlist->setWindowIcon(m_icon);
        player.setSelection(m_playlist);
        // The one place where the playlist's choice reaches the player.
        connect(m_playlist, &Playlist::playRequested, &player,
                [&player](const QString& path) { player.open(path, PlayerController::OpenSource::Playlist); });
        Q_EMIT playlistMade(*m_playlist);
    }
    return *m_playlist;
}

Lyric_Master& PlayerWindows::lyricEditor()
{
    if (!m_editor) {
        m_editor = new Lyric_Master(m_needs.prompts);
        m_editor->setWindowIcon(m_icon);
    }
    return *m_editor;
}

Lyric_Displayer& PlayerWindows::floatingWindow()
{
    if (!m_floating) {
        m_floating = new Lyric_Displayer([&player = m_needs.player] { return int(player.linePositionMs()); });
        m_floating->setWindowIcon(m_icon);
    }
    return *m_floating;
}

Form1b& PlayerWindows::optionsWindow()
{
    if (!m_options) {
        m_options = new Form1b(m_needs.prompts, &m_needs.text1, &m_needs.text2);
        m_options->setWindowIcon(m_icon);
        connect(m_options, &Form1b::showMainWindowRequested, this, &PlayerWindows::playerWanted);
    }
    return *m_options;
}

Form2& PlayerWindows::showMaker()
{
    // Each opening gives the maker a fresh engine connection of its own.
    if (!m_maker) {
        m_maker = new Form2(MakerServices {m_needs.engine, m_needs.prompts, m_needs.failures});
        m_maker->setAttribute(Qt::WA_DeleteOnClose);
        m_maker->setWindowIcon(m_icon);
        connect(m_maker, &Form2::unloaded, this, [this] {
            m_needs.player.setBusy(false);
            Q_EMIT makerClosed();
        });
        connect(m_maker, &Form2::lyricsEditorRequested, this, [this] { lyricEditor().showEditor(); });
        connect(m_maker, &Form2::lyricRecorded, this, &PlayerWindows::lyricRecorded);
        m_maker->load();
    }
    m_maker->setEnabled(true);
    m_maker->show();
    m_maker->raise();
    m_maker->activateWindow();
    return *m_maker;
}

Form2* PlayerWindows::openMaker(QWidget& owner)
{
    PlayerController& player = m_needs.player;
    if (player.playing() || player.paused()) {
        const Prompts::Answer answer =
            m_needs.prompts.message(&owner, QStringLiteral("Playing of files has to be stopped! Stop Playback?"),
                                    Prompts::Buttons::YesNo, Prompts::Icon::None, QStringLiteral("Stop Playback?"));
        if (answer != Prompts::Answer::Yes) {
            m_needs.prompts.message(&owner,
                                    QStringLiteral("Playback of file has to be stopped in order to make lyrics"),
                                    Prompts::Buttons::Ok, Prompts::Icon::Exclamation);
            return nullptr;
        }
        player.stop();
    }
    // The maker lives from here until it is closed; the player is busy.
    owner.setEnabled(false);
    player.setBusy(true);
    return &showMaker();
}

} // namespace cantorel
