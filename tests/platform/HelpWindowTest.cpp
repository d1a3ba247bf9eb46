// The help window and the bundled help page it shows.
#include "platform/HelpWindow.h"

#include "base/ProgramDirectory.h"
#include "lyrics/LyricPairReader.h"
#include "support/ScriptedPrompts.h"
#include "support/TestPaths.h"

#include "support/TestFiles.h"
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <gtest/gtest.h>

using cantorel::HelpWindow;
using cantorel::helpWindow;
using cantorel::Prompts;
using cantorel::testing::ScriptedPrompts;
using cantorel::testing::writeFile;

namespace {

QString readAll(const QString& path)
{
    return QString::fromUtf8(cantorel::testing::readFile(path));
}

QString bundledPage()
{
    return cantorel::bundledDataPath(QStringLiteral("help/Welcome.htm"));
}

} // namespace

TEST(HelpWindow, ShowsTheBundledPageInOneWindow)
{
    ASSERT_TRUE(QFileInfo::exists(bundledPage())) << bundledPage().toStdString();
    QWidget owner;
    ScriptedPrompts prompts;

    cantorel::showHelp(&owner, prompts);
    HelpWindow* window = helpWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->pageTitle(), QStringLiteral("Cantorel Help"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Cantorel Help"));
    EXPECT_TRUE(window->browser()->toPlainText().contains(QStringLiteral("Welcome to Cantorel")));
    // Not a child of the owner: it must stay usable while the owner is disabled.
    EXPECT_EQ(window->parentWidget(), nullptr);

    window->close();
    EXPECT_FALSE(window->isVisible());
    cantorel::showHelp(&owner, prompts);
    EXPECT_EQ(helpWindow(), window) << "a second press reuses the window";
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(prompts.asked.isEmpty());
    window->close();
}

TEST(HelpWindow, MissingPageGivesAMessageAndNoWindow)
{
    if (helpWindow())
        helpWindow()->close();
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("help/Welcome.htm"));
    QWidget owner;
    ScriptedPrompts prompts;
    prompts.expectMessage(cantorel::missingHelpText(missing));

    cantorel::showHelpPage(&owner, prompts, missing);

    ASSERT_EQ(prompts.asked.size(), 1);
    EXPECT_TRUE(prompts.asked[0].text.contains(missing));
    EXPECT_EQ(prompts.asked[0].icon, Prompts::Icon::Exclamation);
    EXPECT_EQ(prompts.asked[0].owner, &owner);
    EXPECT_TRUE(!helpWindow() || !helpWindow()->isVisible());
}

TEST(HelpWindow, BackForwardHomeAndEscape)
{
    QTemporaryDir dir;
    const QString home = dir.filePath(QStringLiteral("start.htm"));
    const QString other = dir.filePath(QStringLiteral("other.htm"));
    writeFile(home, "<html><head><title>Start</title></head><body>"
                    "<p>first page</p><a href=\"other.htm\">on</a></body></html>");
    writeFile(other, "<html><head><title>Other</title></head><body>second page</body></html>");
    ScriptedPrompts prompts;

    cantorel::showHelpPage(nullptr, prompts, home);
    HelpWindow* window = helpWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Start"));
    auto* back = window->findChild<QToolButton*>(QStringLiteral("backButton"));
    auto* forward = window->findChild<QToolButton*>(QStringLiteral("forwardButton"));
    auto* homeButton = window->findChild<QToolButton*>(QStringLiteral("homeButton"));
    ASSERT_TRUE(back && forward && homeButton);
    EXPECT_FALSE(back->isEnabled());
    EXPECT_FALSE(forward->isEnabled());

    window->browser()->setSource(QUrl(QStringLiteral("other.htm")));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Other"));
    EXPECT_TRUE(back->isEnabled());

    back->click();
    EXPECT_EQ(window->pageTitle(), QStringLiteral("Start"));
    EXPECT_TRUE(forward->isEnabled());
    forward->click();
    EXPECT_EQ(window->pageTitle(), QStringLiteral("Other"));
    homeButton->click();
    EXPECT_EQ(window->browser()->source(), QUrl::fromLocalFile(home));

    ASSERT_TRUE(window->isVisible());
    // A key the page does not use travels up from the browser to the window.
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(window->browser()->viewport(), &escape);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(prompts.asked.isEmpty());
}

// Every link inside the page leads somewhere and every picture is there: a
// broken anchor or image would go unnoticed until a user clicks it.
TEST(HelpPage, LinksAndImagesResolve)
{
    const QString page = cantorel::testing::sourcePath(QStringLiteral("data/help/Welcome.htm"));
    const QString html = readAll(page);
    ASSERT_FALSE(html.isEmpty());

    QSet<QString> anchors;
    static const QRegularExpression nameRe(QStringLiteral("<a name=\"([^\"]+)\""));
    for (auto it = nameRe.globalMatch(html); it.hasNext();)
        anchors.insert(it.next().captured(1));

    static const QRegularExpression hrefRe(QStringLiteral("href=\"([^\"]+)\""));
    for (auto it = hrefRe.globalMatch(html); it.hasNext();) {
        const QString target = it.next().captured(1);
        if (target.startsWith(u'#')) {
            EXPECT_TRUE(anchors.contains(target.mid(1))) << target.toStdString();
        } else if (!target.contains(QStringLiteral("://")) && !target.startsWith(QStringLiteral("mailto:"))) {
            EXPECT_TRUE(QFileInfo(page).dir().exists(target)) << target.toStdString();
        }
    }

    static const QRegularExpression imgRe(QStringLiteral("<img src=\"([^\"]+)\""));
    int images = 0;
    for (auto it = imgRe.globalMatch(html); it.hasNext(); ++images) {
        const QString src = it.next().captured(1);
        EXPECT_TRUE(QFileInfo(page).dir().exists(src)) << src.toStdString();
    }
    EXPECT_GT(images, 0);
}

// The demo lyric pair is what a first-time user sees. Its records must be in
// the stored form (plain times, escapes, CR LF), load through the player's
// reader complete and in time order, and give back the plain source texts the
// Lyric Maker offers, line for line.
TEST(DemoSong, LyricPairLoadsAndMatchesItsSources)
{
    const QString song = cantorel::testing::sourcePath(QStringLiteral("data/demo/Lanterns.ogg"));
    ASSERT_GT(QFileInfo(song).size(), 0);

    static const QRegularExpression record(QStringLiteral("^\\d+(\\.\\d)?,\"[^\",]*\"$"));
    for (const QString& suffix : {QStringLiteral("-lyric.txt"), QStringLiteral("-Tlyric.txt")}) {
        const QString text = readAll(song + suffix);
        ASSERT_TRUE(text.endsWith(QStringLiteral("\r\n"))) << suffix.toStdString();
        const QStringList records = text.chopped(2).split(QStringLiteral("\r\n"));
        for (const QString& r : records)
            EXPECT_TRUE(record.match(r).hasMatch()) << r.toStdString();
    }

    cantorel::lyrics::LyricTable table;
    const auto load = cantorel::lyrics::loadLyricPair(song, table);
    ASSERT_EQ(load.outcome, cantorel::lyrics::LyricLoad::Outcome::WithTranslation);
    EXPECT_FALSE(load.cutShort);

    const auto sourceLines = [](const QString& name) {
        QString text = readAll(cantorel::testing::sourcePath(QStringLiteral("data/demo/") + name));
        EXPECT_TRUE(text.endsWith(QStringLiteral("\r\n")));
        return text.chopped(2).split(QStringLiteral("\r\n"));
    };
    const QStringList lyric = sourceLines(QStringLiteral("Lanterns-lyric-source.txt"));
    const QStringList translation = sourceLines(QStringLiteral("Lanterns-translation-source.txt"));
    ASSERT_EQ(table.loadedLines(), lyric.size());
    ASSERT_EQ(translation.size(), lyric.size());
    ASSERT_GE(lyric.size(), 6);

    bool bold = false;
    for (int k = 1; k <= table.loadedLines(); ++k) {
        EXPECT_EQ(table.lines[k], lyric[k - 1]);
        EXPECT_EQ(table.translatedLines[k], translation[k - 1]);
        EXPECT_GT(table.times[k], table.times[k - 1]) << "line " << k;
        bold = bold || table.lines[k].contains(u'!');
    }
    EXPECT_GT(table.times[1], 0) << "the first line starts where it is sung";
    EXPECT_LT(table.times[table.loadedLines()], 4000) << "all lines within the 40 s song";
    EXPECT_TRUE(bold) << "one line should show the bold face";
}
