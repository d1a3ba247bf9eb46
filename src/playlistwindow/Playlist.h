#pragma once
// The playlist window: the songs, the playlist files, adding songs by dialog,
// folder and drop (through SongAdder: a folder is scanned off the window
// thread, with a progress dialog after 600 ms), search, the lyric
// indicators, and the play order settings. It plays nothing itself: Play says
// which path should play (playRequested). The entries and the play order
// settings are the player's (controller/PlayerController.h): this window
// shows and edits them, and its selection is the one the player reads at the
// end of a song and moves when it plays another entry.
#include "playlist/EntrySelection.h"

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListView;
class QMenu;
class QProgressDialog;
class QPushButton;
class QRadioButton;
class QTimer;

namespace cantorel {

namespace form {
class FormBuilder;
} // namespace form

namespace lyrics {
class BackgroundReads;
struct LyricPresence;
} // namespace lyrics

class FolderScanner;
class PlayOrderSettings;
class PlaylistModel;
class Prompts;
class SongAdder;

class Playlist : public QWidget, public EntrySelection {
    Q_OBJECT
public:
    // `model` and `order` must outlive the window.
    Playlist(Prompts& prompts, PlaylistModel& model, PlayOrderSettings& order, QWidget* parent = nullptr);
    ~Playlist() override;

    PlaylistModel& model() { return *m_model; }
    int entryCount() const;
    int selectedIndex() const;
    int selectedEntry() const override { return selectedIndex(); }
    // Selects entry `row` (-1 clears the selection) and shows its lyric
    // indicators.
    void selectEntry(int row) override;

    // The player's current song: selects the entry of that name.
    void showCurrentSong(const QString& fileName);

    // Adds these dropped paths in order: song files by the drop rule,
    // folders by a scan.
    void dropPaths(const QStringList& paths);
    // Adds these paths in order as the user named them (on the command
    // line): files whatever their names, as "add one file" does, folders by
    // a scan.
    void addNamedPaths(const QStringList& paths);

    // The menu a right click on the list opens (object name "mn_entries");
    // empty, and so never shown, until others add their actions.
    QMenu& entryMenu() { return *m_entryMenu; }
    // Lyric files of the songs changed (written by someone else): the
    // indicators look again.
    void lyricsChanged() { showIndicators(); }

    // True while a folder scan runs; the adds asked for meanwhile wait for
    // its end.
    bool scanning() const;
    FolderScanner& folderScanner();

    // A scan's progress dialog shows when the scan has run this long.
    static constexpr int kProgressDelayMs = 600;

public Q_SLOTS:
    void command1Click();  // "+": the add menu
    void mnopenfClick();   // add one file
    void mnopendirClick(); // add a folder tree
    void command2Click();  // remove the selected entry
    void command3Click();  // clear
    void command4Click();  // save list
    void command5Click();  // open list
    void command6Click();  // close
    void command7Click();  // play: hand the selected entry to the player
    void command8Click();  // up
    void command9Click();  // down
    void command10Click(); // help
    void check3Click();    // Random
    void check4Click();    // Repeat
    // The boxes and options show the play order settings.
    void showPlayOrder();
    void text3Change();
    void text5Change();
    void placeholderRule();

Q_SIGNALS:
    // The user chose this song to play (Play, a double click).
    void playRequested(const QString& path);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildUi();
    void connectControls(const form::FormBuilder& ui);
    void wireAdder();
    void showScan();
    void endScan();
    void refuseFull();
    void showCount();
    void showIndicators();
    void showPresence(const lyrics::LyricPresence& found);

    Prompts& m_prompts;
    PlaylistModel* m_model;
    PlayOrderSettings& m_order;
    SongAdder* m_adder;
    QProgressDialog* m_scanProgress = nullptr; // while a scan runs
    QTimer* m_scanDelay = nullptr;

    QListView* m_list = nullptr;                        // List1
    QLineEdit* m_count = nullptr;                       // Text1
    QLineEdit* m_current = nullptr;                     // Text3
    QLineEdit* m_search = nullptr;                      // Text5
    QLineEdit* m_dropped = nullptr;                     // Text4
    QCheckBox* m_hasTranslation = nullptr;              // Check1
    QCheckBox* m_hasLyrics = nullptr;                   // Check2
    QCheckBox* m_random = nullptr;                      // Check3
    QCheckBox* m_repeat = nullptr;                      // Check4
    QRadioButton* m_repeatOne = nullptr;                // Option1
    QRadioButton* m_repeatAll = nullptr;                // Option2
    QPushButton* m_add = nullptr;                       // Command1
    QMenu* m_addMenu = nullptr;                         // mn_m
    QMenu* m_entryMenu = nullptr;                       // mn_entries
    QTimer* m_highlight = nullptr;                      // Timer1
    lyrics::BackgroundReads* m_presenceReads = nullptr; // the indicators' LRC files and tags
    int m_indicatorsAsked = 0;
};

} // namespace cantorel
