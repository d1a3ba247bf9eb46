#include "screensaver/CursorCounter.h"
#include "screensaver/HandOverFile.h"
#include "screensaver/LyricBox.h"
#include "screensaver/MouseRevealRule.h"
#include "screensaver/ReceiverProtocol.h"
#include "screensaver/ScreenSaver.h"

#include "SaverTestSupport.h"
#include "support/ScriptedPrompts.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <cmath>

using namespace cantorel::screensaver;
using namespace cantorel::screensaver::test;
using cantorel::testing::ScriptedPrompts;

namespace {

class LyricsScreen : public SaverFolders {
protected:
    void SetUp() override
    {
        SaverFolders::SetUp();
        screen = std::make_unique<ScreenSaver>(prompts, cursor, [this] { ++ends; });
    }
    void TearDown() override
    {
        screen.reset();
        SaverFolders::TearDown();
    }
    LyricBox* box(const char* name) const { return screen->findChild<LyricBox*>(name); }
    QLineEdit* lineEdit(const char* name) const { return screen->findChild<QLineEdit*>(name); }
    QPushButton* button(const char* name) const { return screen->findChild<QPushButton*>(name); }

    // Sends a line to a receiver through its socket, as the main program does.
    void receive(qint32 receiverId, const QString& text, const char* shownIn)
    {
        if (!m_clients.contains(receiverId))
            m_clients.insert(receiverId, connectTo(receiverSocketPath(receiverId)).release());
        sendRaw(*m_clients[receiverId], encodeTextMessage(text));
        ASSERT_TRUE(waitUntil([&] { return box(shownIn)->text() == text; })) << text.toStdString();
    }

    void moveMouse(QWidget* over, QPoint at)
    {
        QMouseEvent move(QEvent::MouseMove, QPointF(at), over->mapToGlobal(QPointF(at)), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(over, &move);
    }

    int twipsY(int pixels) const { return int(std::lround(pixels * screen->twipsPerPixelY())); }

    ScriptedPrompts prompts;
    CursorCounter cursor;
    int ends = 0;
    std::unique_ptr<ScreenSaver> screen;

private:
    QHash<qint32, QLocalSocket*> m_clients;

public:
    ~LyricsScreen() override { qDeleteAll(m_clients); }
};

} // namespace

TEST_F(LyricsScreen, LoadingHandsOverTheReceiversAndKeepsTheStartUpLook)
{
    screen->load();
    const auto handOver = readHandOver(handOverFile());
    ASSERT_TRUE(handOver);
    EXPECT_EQ(*handOver, screen->handOver());
    EXPECT_NE(handOver->lyricReceiver, handOver->translatedReceiver);
    EXPECT_EQ(screen->look(), ScreenSettings {});
    EXPECT_EQ(box("Text1")->palette().color(QPalette::Base), QColor(0, 0, 0));
    EXPECT_EQ(box("Text1")->palette().color(QPalette::Text), QColor(255, 255, 0));
    EXPECT_EQ(box("Text1")->font().family(), "Lucida Sans Unicode");
    EXPECT_EQ(box("Text1")->font().pointSizeF(), 18.0);
    EXPECT_TRUE(box("Text1")->text().isEmpty());

    screen->closeReceivers();
    EXPECT_FALSE(QFile::exists(receiverSocketPath(handOver->lyricReceiver)));
}

TEST_F(LyricsScreen, BrokenSettingsFileKeepsTheStartUpLook)
{
    writeFile(settingsFile(), "\"Arial\",#TRUE#,#FALSE#,30,255,0\r\n\"Arial\",maybe\r\n");
    screen->load();
    EXPECT_EQ(screen->look(), ScreenSettings {});
    EXPECT_TRUE(readHandOver(handOverFile()));
    EXPECT_TRUE(QFile::exists(settingsFile())); // the user's file is left alone
}

TEST_F(LyricsScreen, NoRuntimeFolderIsSaidAndNoReceiverOpens)
{
    // Without XDG_RUNTIME_DIR Qt makes a private folder in the temporary
    // folder; when that cannot be made either, there is no runtime folder.
    const QString notAFolder = programFile("plain file");
    writeFile(notAFolder);
    CapturedMessages messages;
    {
        ScopedEnvironment noRuntime("XDG_RUNTIME_DIR", QByteArray());
        ScopedEnvironment noTemporary("TMPDIR", QFile::encodeName(notAFolder));
        ASSERT_TRUE(receiverFolder().isEmpty());
        screen->load();
        EXPECT_TRUE(QDir("/").entryList({receiverSocketPrefix() + "*"}, QDir::System).isEmpty());
    }
    EXPECT_TRUE(messages.contains("No lyric receiver could be opened: There is no runtime folder"))
        << messages.lines.join('\n').toStdString();
    EXPECT_FALSE(QFile::exists(handOverFile()));
    EXPECT_EQ(screen->look(), ScreenSettings {}); // the screen works on
}

TEST_F(LyricsScreen, TranslatedLyricsHidesTheSecondLineUntilARealOne)
{
    screen->load();
    screen->resize(1280, 720);
    const HandOver ids = screen->handOver();
    receive(ids.lyricReceiver, "First line", "Text1");
    EXPECT_EQ(screen->findChild<QLabel*>("Label1")->text(), "First line");

    receive(ids.translatedReceiver, "Translated Lyrics", "Text2");
    EXPECT_FALSE(box("Text2")->isEnabled());
    EXPECT_TRUE(box("Text2")->isHidden());
    EXPECT_EQ(box("Text1")->font().pointSizeF(), 22.0);
    EXPECT_NEAR(twipsY(box("Text1")->y()), 4160, 15);

    receive(ids.translatedReceiver, "Erste Zeile", "Text2");
    EXPECT_TRUE(box("Text2")->isEnabled());
    EXPECT_FALSE(box("Text2")->isHidden());
    EXPECT_EQ(box("Text1")->font().pointSizeF(), 18.0);
    EXPECT_NEAR(twipsY(box("Text1")->y()), 2160, 15);
    EXPECT_EQ(box("Text1")->text(), "First line");
}

TEST_F(LyricsScreen, ChosenSizeGrowsInProportionAndComesBack)
{
    screen->load();
    BoxStyle chosen;
    chosen.pointSize = 27;
    screen->setLyricStyle(chosen);
    const HandOver ids = screen->handOver();
    receive(ids.translatedReceiver, "Translated Lyrics", "Text2");
    EXPECT_DOUBLE_EQ(box("Text1")->font().pointSizeF(), 33.0); // 27 * 22 / 18
    EXPECT_EQ(screen->lyricStyle().pointSize, 27.0f);          // what the settings see and store
    receive(ids.translatedReceiver, "A translation", "Text2");
    EXPECT_EQ(box("Text1")->font().pointSizeF(), 27.0);
}

TEST_F(LyricsScreen, ExclamationBoldsOnlyItsOwnBox)
{
    screen->load();
    const HandOver ids = screen->handOver();
    receive(ids.lyricReceiver, "Calm line", "Text1");
    receive(ids.translatedReceiver, "Loud line!", "Text2");
    EXPECT_FALSE(box("Text1")->font().bold());
    EXPECT_TRUE(box("Text2")->font().bold());

    receive(ids.translatedReceiver, "Calm again", "Text2");
    receive(ids.lyricReceiver, "Now me!", "Text1");
    EXPECT_TRUE(box("Text1")->font().bold());
    EXPECT_FALSE(box("Text2")->font().bold());
}

TEST_F(LyricsScreen, LongLineShowsFromItsBeginningWrapped)
{
    screen->load();
    screen->show();
    screen->resize(1280, 720);
    ASSERT_TRUE(waitUntil([&] { return screen->width() == 1280 && screen->height() == 720; }));
    const HandOver ids = screen->handOver();
    LyricBox* text1 = box("Text1");
    LyricBox* text2 = box("Text2");
    const int designHeight = text1->height();
    QString longLine = "Begin";
    for (int i = 1; longLine.size() < 260; ++i)
        longLine += QString(" word%1").arg(i);
    auto expectWholeFromTheStart = [&](LyricBox* shownIn) {
        const QStringList shown = shownIn->shownLines();
        EXPECT_GT(shown.size(), 1);
        EXPECT_TRUE(shown.value(0).startsWith("Begin word1 "));
        EXPECT_EQ(shown.join(' ').toStdString(), longLine.toStdString());
        for (const QString& line : shown)
            EXPECT_LE(shownIn->fontMetrics().horizontalAdvance(line), shownIn->width()) << line.toStdString();
    };

    receive(ids.translatedReceiver, "A short translation", "Text2");
    receive(ids.lyricReceiver, longLine, "Text1");
    expectWholeFromTheStart(text1);
    EXPECT_GT(text1->height(), designHeight);
    EXPECT_LT(text1->geometry().bottom(), text2->y()); // grows, but not over the translation
    EXPECT_EQ(text2->shownLines(), QStringList {"A short translation"});

    // Without a translation the larger line has the room down to the bottom.
    receive(ids.translatedReceiver, "Translated Lyrics", "Text2");
    expectWholeFromTheStart(text1);
    EXPECT_LE(text1->geometry().bottom(), screen->height());

    // More than the screen holds: the beginning shows, the cut is marked; a
    // word wider than the box breaks inside itself.
    const QString endless = longLine.repeated(12) + " " + QString(400, u'x');
    receive(ids.lyricReceiver, endless, "Text1");
    const QStringList cut = text1->shownLines();
    EXPECT_TRUE(cut.value(0).startsWith("Begin word1 "));
    EXPECT_TRUE(cut.last().endsWith(QChar(0x2026)));
    EXPECT_LE(text1->geometry().bottom(), screen->height());
    const QString word(300, u'y');
    receive(ids.translatedReceiver, word, "Text2"); // the translation is back
    EXPECT_LT(text1->geometry().bottom(), text2->y());
    EXPECT_GT(text2->shownLines().size(), 1);
    EXPECT_EQ(text2->shownLines().join("").toStdString(), word.toStdString());

    // A short line brings the box back to its own height.
    receive(ids.lyricReceiver, "Short", "Text1");
    EXPECT_EQ(text1->shownLines(), QStringList {"Short"});
    EXPECT_EQ(text1->height(), designHeight);
}

TEST(MouseRevealRule, MovementsOfMoreThanFiveTwipsReveal)
{
    using Reaction = MouseRevealRule::Reaction;
    MouseRevealRule rule;
    EXPECT_EQ(rule.moveTo(3000, 3000), Reaction::None); // first: nothing to compare with
    EXPECT_EQ(rule.moveTo(3005, 3005), Reaction::None); // 5 twips both ways
    EXPECT_EQ(rule.moveTo(3005, 3005), Reaction::HideCursor);
    EXPECT_EQ(rule.moveTo(3011, 3005), Reaction::Reveal); // 6 twips
    EXPECT_EQ(rule.moveTo(3011, 2999), Reaction::Reveal);
    EXPECT_EQ(rule.lastY(), 2999);

    MouseRevealRule edge;
    EXPECT_EQ(edge.moveTo(0, 500), Reaction::None);
    EXPECT_EQ(edge.moveTo(900, 500), Reaction::None); // x was 0: no previous position
}

TEST_F(LyricsScreen, MouseRevealsButtonsAndTheTimerHidesThem)
{
    screen->show();
    screen->resize(1280, 720);
    LyricBox* text1 = box("Text1");
    ASSERT_TRUE(waitUntil([&] { return screen->width() == 1280; }));
    const QPoint inText1(300, text1->y() + 10);
    EXPECT_TRUE(button("Command1")->isHidden());
    moveMouse(screen.get(), inText1);
    EXPECT_TRUE(button("Command1")->isHidden()); // the first movement never reveals
    EXPECT_EQ(cursor.count(), 0);
    // One pixel is 15 twips at 96 dpi. Over a display box the movement counts
    // for the window, and once.
    moveMouse(text1, text1->mapFrom(screen.get(), inText1 + QPoint(1, 0)));
    EXPECT_EQ(cursor.count(), 1);
    moveMouse(screen.get(), inText1 + QPoint(1, 0)); // same place: hide the cursor once
    EXPECT_FALSE(button("Command1")->isHidden());
    EXPECT_FALSE(button("Command2")->isHidden());
    EXPECT_EQ(button("Command1")->text(), "Quit");
    EXPECT_EQ(button("Command2")->text(), "Options");
    EXPECT_EQ(cursor.count(), 0);

    screen->timer2Tick();
    EXPECT_TRUE(button("Command1")->isHidden());
    EXPECT_TRUE(button("Command2")->isHidden());
}

TEST_F(LyricsScreen, AnyKeyEndsAndFocusStaysOffTheDisplays)
{
    screen->show();
    QLineEdit* text5 = lineEdit("Text5");
    EXPECT_EQ(box("Text1")->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(box("Text2")->focusPolicy(), Qt::NoFocus);
    screen->timer1Tick();
    EXPECT_EQ(screen->focusWidget(), text5);

    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
    QApplication::sendEvent(text5, &key);
    EXPECT_EQ(ends, 1);
    EXPECT_TRUE(text5->text().isEmpty());
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(screen.get(), &escape);
    EXPECT_EQ(ends, 2);
}

TEST_F(LyricsScreen, LayoutFollowsTheWindowSize)
{
    screen->show();
    screen->resize(1280, 720);
    LyricBox* text1 = box("Text1");
    LyricBox* text2 = box("Text2");
    ASSERT_TRUE(waitUntil([&] { return screen->width() == 1280 && screen->height() == 720; }));
    // The boxes go by the outer size of the window (with its frame), the
    // buttons by the inner one.
    const QRect outer = screen->frameGeometry();
    const double top = outer.height() * 15 / 6.125; // twips at 96 dpi
    EXPECT_EQ(text1->width(), outer.width());
    EXPECT_NEAR(twipsY(text1->y()), top, 15);
    EXPECT_NEAR(twipsY(text2->y()), top + twipsY(text1->height()) + 3000 + top, 30);
    EXPECT_EQ(text2->width(), outer.width());
    QPushButton* quit = button("Command1");
    QPushButton* options = button("Command2");
    EXPECT_EQ(quit->geometry().right() + 1 + 4, 1280); // 60 twips = 4 px
    EXPECT_EQ(quit->geometry().bottom() + 1 + 4, 720);
    EXPECT_EQ(options->x(), quit->x());
    EXPECT_EQ(options->geometry().bottom() + 1 + 4, quit->y());
}
