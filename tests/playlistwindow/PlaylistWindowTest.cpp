#include "player/PlayerFixture.h"

#include "playlist/PlayOrder.h"
#include "playlist/PlaylistModel.h"
#include "playlistwindow/Playlist.h"

#include <QCheckBox>
#include <QDir>
#include <QListView>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>

#include "playlist/HeldWalk.h"
#include "support/UserInput.h"
#include "support/Wait.h"

using namespace cantorel;
using namespace cantorel::testing;

namespace {

class FixedRandom : public RandomSource {
public:
    float next() override { return value; }
    float value = 0.0f;
};

class PlaylistWindow : public PlayerFixture {
protected:
    void SetUp() override
    {
        PlayerFixture::SetUp();
        makePlayer(&random);
        form->load(QString());
        list = &form->playlist();
    }

    template <typename T>
    T* part(const char* name) const
    {
        T* w = list->findChild<T*>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    // Folder scans run off the window thread: lets the event loop run
    // until the scan and the adds waiting for it are over.
    void waitForScan()
    {
        ASSERT_TRUE(waitUntil([&] { return !list->scanning(); }));
    }
    // "Open Dir..." on a walk that `held` holds (it would find x.mp3),
    // answering No to clearing the list first; returns while it is held.
    void startHeldScan(HeldWalk& held)
    {
        held.result.paths << dir.filePath("x.mp3");
        held.result.names << "x.mp3";
        list->folderScanner().setWalk(held.walk());
        prompts.expectFolder(dir.path());
        prompts.expectMessage("Do you wish to clear the Playlist first?", Prompts::Answer::No);
        list->mnopendirClick();
        ASSERT_TRUE(list->scanning());
    }

    QStringList names() const
    {
        QStringList out;
        for (int i = 0; i < list->model().count(); ++i)
            out << list->model().displayName(i);
        return out;
    }

    FixedRandom random;
    Playlist* list = nullptr;
};

} // namespace

TEST_F(PlaylistWindow, HandedOverSongPlaysWithItsLyricAndTheNextFollows)
{
    const QString first = song("first.mp3", {{0, "one"}, {500, "two"}}, {}, 10000);
    const QString second = song("second.mp3", {{0, "deux"}}, {{0, "δύο"}}, 20000);
    list->model().append(QStringList {first, second});
    list->selectEntry(0);
    list->command7Click();
    EXPECT_EQ(controller->mediaPath(), first);
    EXPECT_TRUE(controller->playing());
    EXPECT_TRUE(controller->lyricsLoaded());
    play(6000);
    EXPECT_EQ(text1()->lyric(), "two");

    // The song plays out; the second tick after its channel ends moves on.
    play(4000);
    form->cTimer1Tick();
    EXPECT_EQ(controller->mediaPath(), second);
    EXPECT_TRUE(controller->playing());
    EXPECT_EQ(list->selectedIndex(), 1);
    EXPECT_FALSE(controller->noTranslation());

    // The last song ends: nothing follows.
    play(20000);
    form->cTimer1Tick();
    EXPECT_FALSE(controller->playing());
    EXPECT_EQ(controller->mediaPath(), second);
}

TEST_F(PlaylistWindow, RepeatAllOnOneSongPlaysItAgain)
{
    const QString only = song("only.mp3", {}, {}, 5000);
    list->model().append(only);
    list->selectEntry(0);
    part<QCheckBox>("Check4")->click(); // Repeat, "Repeat all" chosen
    list->command7Click();
    const int opens = engine.log.filter("createStream").size();
    play(5000);
    form->cTimer1Tick();
    EXPECT_TRUE(controller->playing());
    EXPECT_GT(engine.log.filter("createStream").size(), opens);
}

TEST_F(PlaylistWindow, RepeatOneReplaysThroughThePlayersPlay)
{
    const QString a = song("a.mp3", {}, {}, 5000), b = song("b.mp3");
    list->model().append(QStringList {a, b});
    list->selectEntry(0);
    list->command7Click();
    part<QCheckBox>("Check4")->click();
    part<QRadioButton>("Option1")->click();
    play(5000);
    form->cTimer1Tick();
    EXPECT_TRUE(controller->playing());
    EXPECT_EQ(controller->mediaPath(), a);
    EXPECT_EQ(list->selectedIndex(), 0);
}

TEST_F(PlaylistWindow, RandomAndRepeatExcludeEachOther)
{
    auto* randomBox = part<QCheckBox>("Check3");
    auto* repeat = part<QCheckBox>("Check4");
    auto* one = part<QRadioButton>("Option1");
    auto* all = part<QRadioButton>("Option2");
    EXPECT_TRUE(all->isChecked());
    EXPECT_FALSE(one->isEnabled());
    repeat->click();
    EXPECT_TRUE(one->isEnabled());
    randomBox->click();
    EXPECT_FALSE(repeat->isChecked());
    EXPECT_FALSE(one->isEnabled());
    EXPECT_FALSE(all->isEnabled());
    repeat->click();
    EXPECT_FALSE(randomBox->isChecked());
    repeat->click();
    EXPECT_FALSE(all->isEnabled());
    EXPECT_TRUE(all->isChecked());
}

TEST_F(PlaylistWindow, RandomEndOfSongAvoidsTheLastPick)
{
    QStringList songs;
    for (const char* n : {"a.mp3", "b.mp3", "c.mp3", "d.mp3"})
        songs << song(n, {}, {}, 3000);
    list->model().append(songs);
    list->selectEntry(1);
    part<QCheckBox>("Check3")->click();
    list->command7Click();
    random.value = 0.6f; // entry 2
    play(3000);
    form->cTimer1Tick();
    EXPECT_EQ(controller->mediaPath(), songs[2]);
    EXPECT_EQ(controller->lastRandomPick(), 2);
}

TEST_F(PlaylistWindow, BackwardAndForwardWrapAround)
{
    QStringList songs {song("a.mp3"), song("b.mp3"), song("c.mp3")};
    list->model().append(songs);
    form->command10Click(); // nothing selected, no song of the list: the first
    EXPECT_EQ(controller->mediaPath(), songs[0]);
    list->selectEntry(0);
    form->command9Click();
    EXPECT_EQ(list->selectedIndex(), 2);
    EXPECT_EQ(controller->mediaPath(), songs[2]);
    form->command10Click();
    EXPECT_EQ(list->selectedIndex(), 0);
    EXPECT_EQ(controller->mediaPath(), songs[0]);
}

TEST_F(PlaylistWindow, PlaylistCommandSelectsTheCurrentSong)
{
    QStringList songs {song("a.mp3"), song("b.mp3"), song("c.mp3")};
    list->model().append(songs);
    list->selectEntry(2);
    list->command7Click();
    list->selectEntry(0);
    form->command8Click();
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(list->selectedIndex(), 2);
    list->command6Click();
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(list->model().count(), 3);
}

TEST_F(PlaylistWindow, VanishedFileIsReportedAndThePlayerKeepsItsSong)
{
    const QString kept = song("kept.mp3");
    form->dropPaths({kept});
    list->model().append(dir.filePath("gone.mp3"));
    list->selectEntry(0);
    prompts.expectMessage("File not found!!");
    list->command7Click();
    EXPECT_EQ(controller->mediaPath(), kept);
}

TEST_F(PlaylistWindow, UpAndDownMoveTheSelectedEntry)
{
    list->model().append(QStringList {song("a.mp3"), song("b.mp3"), song("c.mp3"), song("d.mp3")});
    list->selectEntry(3);
    list->command8Click();
    EXPECT_EQ(names(), (QStringList {"a.mp3", "b.mp3", "d.mp3", "c.mp3"}));
    EXPECT_EQ(list->selectedIndex(), 2);
    EXPECT_EQ(list->model().path(2), dir.filePath("d.mp3"));
    list->selectEntry(0);
    list->command8Click();
    list->selectEntry(3);
    list->command9Click();
    EXPECT_EQ(names(), (QStringList {"a.mp3", "b.mp3", "d.mp3", "c.mp3"}));
}

TEST_F(PlaylistWindow, FolderScanAsksWhetherToClearFirst)
{
    QDir(dir.path()).mkpath("music/sub");
    writeFile(dir.filePath("music/b.mp3"), "x");
    writeFile(dir.filePath("music/sub/c.wav"), "x");
    list->model().append(song("old.mp3"));

    prompts.expectFolder(dir.filePath("music"));
    prompts.expectMessage("Do you wish to clear the Playlist first?", Prompts::Answer::No);
    list->mnopendirClick();
    waitForScan();
    EXPECT_EQ(names(), (QStringList {"old.mp3", "b.mp3", "c.wav"}));
    EXPECT_EQ(part<QLineEdit>("Text1")->text(), "3");

    prompts.expectFolder(dir.filePath("music"));
    prompts.expectMessage("Do you wish to clear the Playlist first?", Prompts::Answer::Yes);
    list->mnopendirClick();
    waitForScan();
    EXPECT_EQ(names(), (QStringList {"b.mp3", "c.wav"}));

    prompts.expectFolder(QString());
    list->mnopendirClick();
    EXPECT_EQ(list->model().count(), 2);
}

TEST_F(PlaylistWindow, DropsAddSongsAndScanFoldersInDropOrder)
{
    QDir(dir.path()).mkpath("folder");
    writeFile(dir.filePath("folder/f.ogg"), "x");
    const QString a = song("a.mp3"), b = song("b.wma"), c = song("c.ogg");
    const QString upper = song("loud.MP3"), wavy = song("wavy");
    prompts.expectMessage("Do you wish to clear the Playlist first?", Prompts::Answer::No);
    list->dropPaths({a, b, dir.filePath("folder"), c, upper, wavy});
    waitForScan();
    EXPECT_EQ(names(), (QStringList {"a.mp3", "b.wma", "f.ogg", "c.ogg"}));
    EXPECT_EQ(part<QLineEdit>("Text4")->text(), c);
}

TEST_F(PlaylistWindow, AScanLeavesTheWindowRunningShowsItsProgressAndCancelAddsNothing)
{
    list->model().append(song("old.mp3"));
    list->show();
    HeldWalk held;
    startHeldScan(held);

    // The event loop runs: the dialog shows itself after a while, modal to
    // the list, with the count the walk reported.
    QProgressDialog* dialog = nullptr;
    ASSERT_TRUE(waitUntil([&] {
        dialog = list->findChild<QProgressDialog*>("ScanProgress");
        return dialog && dialog->isVisible() && dialog->labelText() == "3 song(s) found so far...";
    }));
    EXPECT_EQ(dialog->windowModality(), Qt::WindowModal);

    // A drop meanwhile waits for the scan's end.
    const QString late = song("late.mp3");
    list->dropPaths({late});
    EXPECT_EQ(names(), QStringList {"old.mp3"});

    dialog->findChild<QPushButton*>()->click(); // Cancel
    waitForScan();
    EXPECT_EQ(names(), (QStringList {"old.mp3", "late.mp3"}));
    EXPECT_EQ(list->findChild<QProgressDialog*>(), nullptr);
}

TEST_F(PlaylistWindow, ClosingTheWindowOrEndingTheProgramMidScanStopsTheScan)
{
    HeldWalk byButton, byWindow, byEnd;
    startHeldScan(byButton);
    list->command6Click();
    EXPECT_FALSE(list->scanning());
    EXPECT_TRUE(byButton.returned());

    list->show();
    startHeldScan(byWindow);
    list->close();
    EXPECT_FALSE(list->scanning());
    EXPECT_TRUE(byWindow.returned());
    QCoreApplication::processEvents();
    EXPECT_EQ(list->model().count(), 0);
    EXPECT_EQ(list->findChild<QProgressDialog*>(), nullptr);

    startHeldScan(byEnd);
    form.reset(); // the player's unload takes the playlist with it
    EXPECT_TRUE(byEnd.returned());
}

TEST_F(PlaylistWindow, SearchSelectsAndThePlaceholderComesAndGoes)
{
    list->model().append(QStringList {song("Blue.mp3"), song("I Love Rain.ogg"), song("Sun.wav")});
    auto* search = part<QLineEdit>("Text5");
    EXPECT_EQ(search->text(), "Enter Search Text Here");
    EXPECT_TRUE(search->font().italic());
    list->selectEntry(2);
    list->placeholderRule(); // a click into the box
    EXPECT_EQ(search->text(), "");
    EXPECT_FALSE(search->font().italic());
    EXPECT_EQ(list->selectedIndex(), 0); // the empty text matches entry 0
    search->setText("LOVE");
    EXPECT_EQ(list->selectedIndex(), 1);
    search->setText("nothing like it");
    EXPECT_EQ(list->selectedIndex(), 1);
    search->setText("");
    list->placeholderRule(); // leaving it empty
    EXPECT_EQ(search->text(), "Enter Search Text Here");
    EXPECT_TRUE(search->font().italic());
}

TEST_F(PlaylistWindow, IndicatorsTellWhichLyricFilesExist)
{
    const QString withLyric = song("w.mp3", {{0, "x"}});
    list->model().append(QStringList {withLyric, song("plain.mp3")});
    list->selectEntry(0);
    auto* lyrics = part<QCheckBox>("Check2");
    auto* translation = part<QCheckBox>("Check1");
    EXPECT_TRUE(lyrics->isChecked());
    EXPECT_EQ(lyrics->toolTip(), "w.mp3-lyric.txt");
    EXPECT_FALSE(translation->isChecked());
    EXPECT_EQ(translation->toolTip(), "");
    list->selectEntry(1);
    EXPECT_FALSE(lyrics->isChecked());
    // Selected again after its lyric was made: looked at anew.
    song("plain.mp3", {{0, "x"}});
    list->selectEntry(1);
    EXPECT_TRUE(lyrics->isChecked());
}

TEST_F(PlaylistWindow, IndicatorsFromLrcFilesAndTagsComeLaterForTheEntryStillSelected)
{
    // LRC files and tags are read off the window thread; an answer for an
    // entry no longer selected never shows.
    const QString withTranslation = song("a.mp3");
    writeFile(dir.filePath("a.lrc"), "[00:01]rain\n[00:01]pluie\n");
    const QString lyricOnly = song("b.mp3");
    writeFile(dir.filePath("b.lrc"), "[00:01]only\n");
    list->model().append(QStringList {withTranslation, lyricOnly});
    auto* lyrics = part<QCheckBox>("Check2");
    auto* translation = part<QCheckBox>("Check1");
    list->selectEntry(0);
    list->selectEntry(1);
    ASSERT_TRUE(waitUntil([&] { return lyrics->toolTip() == "b.lrc"; }));
    EXPECT_TRUE(lyrics->isChecked());
    EXPECT_FALSE(translation->isChecked());
    list->selectEntry(0);
    ASSERT_TRUE(waitUntil([&] { return translation->isChecked(); }));
    EXPECT_EQ(translation->toolTip(), "a.lrc");
}

TEST_F(PlaylistWindow, SaveAndOpenListMessages)
{
    list->command4Click(); // empty list: no dialog at all
    list->model().append(song("a.mp3"));
    prompts.expectSaveFile(QString());
    prompts.expectMessage("Some error has occured the Playlist has not been saved!!!");
    list->command4Click();
    prompts.expectOpenFile(QString());
    prompts.expectMessage("an error has occured in the operation the file may be corrupt");
    list->command5Click();

    prompts.expectSaveFile(dir.filePath("mine"));
    list->command4Click();
    prompts.expectOpenFile(dir.filePath("mine.mmr"));
    list->command5Click();
    EXPECT_EQ(names(), (QStringList {"a.mp3", "a.mp3"}));

    prompts.expectOpenFile(dir.filePath("typo.mmr"));
    prompts.expectMessage(QString());
    list->command5Click();
    EXPECT_EQ(list->model().count(), 2);

    list->selectEntry(0);
    list->command2Click();
    EXPECT_EQ(part<QLineEdit>("Text1")->text(), "1");
    EXPECT_EQ(list->selectedIndex(), -1);
    list->command3Click();
    EXPECT_EQ(part<QLineEdit>("Text1")->text(), "0");
}

TEST_F(PlaylistWindow, AClickShowsTheClickedEntrysIndicators)
{
    list->model().append(QStringList {song("w.mp3", {{0, "x"}}, {{0, "y"}}), song("plain.mp3")});
    list->show();
    auto* view = part<QListView>("List1");
    auto click = [&](int row) {
        mouseClick(view->viewport(), Qt::LeftButton, view->visualRect(list->model().index(row)).center());
    };
    click(1);
    EXPECT_FALSE(part<QCheckBox>("Check2")->isChecked());
    click(0);
    EXPECT_TRUE(part<QCheckBox>("Check2")->isChecked());
    EXPECT_TRUE(part<QCheckBox>("Check1")->isChecked());
    click(1);
    EXPECT_FALSE(part<QCheckBox>("Check2")->isChecked());
    EXPECT_FALSE(part<QCheckBox>("Check1")->isChecked());
}

TEST_F(PlaylistWindow, OnlyTextPlaylistsOpenAndOnlyStorablePathsAreSaved)
{
    list->model().append(song("a.mp3"));
    // A binary file picked by mistake: refused, nothing appended.
    QByteArray binary(qsizetype(200) * 1024, '\0');
    for (int i = 0; i < binary.size(); ++i)
        binary[i] = char((i * 7919) % 251);
    writeFile(dir.filePath("image.mmr"), binary);
    prompts.expectOpenFile(dir.filePath("image.mmr")).expectMessage(QString());
    list->command5Click();
    EXPECT_TRUE(prompts.asked.last().text.contains("not a playlist"));
    EXPECT_EQ(list->model().count(), 1);

    // A song whose name holds a double quote cannot go into a playlist
    // file: the save is refused before any dialog, naming the song.
    const QString quoted = song("say \"hi\".mp3");
    list->model().append(quoted);
    prompts.expectMessage(QString());
    list->command4Click();
    EXPECT_TRUE(prompts.asked.last().text.contains(quoted));
    EXPECT_EQ(prompts.asked.last().kind, ScriptedPrompts::Kind::Message);

    // And a save over an existing playlist asks first.
    list->model().remove(1);
    writeFile(dir.filePath("old.mmr"), "\"/x.mp3\"\r\n");
    prompts.expectSaveFile(dir.filePath("old")).expectMessage(QString(), Prompts::Answer::No);
    list->command4Click();
    EXPECT_EQ(readFile(dir.filePath("old.mmr")), "\"/x.mp3\"\r\n");
}
