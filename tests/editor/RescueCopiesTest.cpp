// Rescue copies of unsaved editor lines: each side goes to the first place
// that takes it, and never over an existing file.
#include "editor/RescueCopies.h"

#include "support/TestFiles.h"
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace cantorel::editor;
using cantorel::testing::readFile;
using cantorel::testing::writeFile;

TEST(RescueCopies, EachSideGoesToTheFirstPlaceThatTakesItAndNothingIsReplaced)
{
    QTemporaryDir dir;
    const QString blocked = dir.filePath("blocked"); // a file where folders should be
    writeFile(blocked);
    const QList<RescuePlace> places {{blocked + "/data", ""}, {dir.filePath("home"), "in the home folder"}};
    const QDateTime when(QDate(2026, 12, 8), QTime(5, 21, 5));
    const QList<RescueSide> sides {{"Lyrics", blocked + "/song.txt", {"one"}},
                                   {"Translated Lyrics", dir.filePath("song-t.txt"), {"uno"}}};

    for (const char* suffix : {"", " 2"}) {
        const RescueOutcome rescue = writeRescueCopies(sides, places, when);
        ASSERT_TRUE(rescue.complete());
        ASSERT_EQ(rescue.written.size(), 2);
        const QString home = dir.filePath("home/Lyrics (unsaved lines, 2026-12-08 05.21.05)") + suffix + ".txt";
        EXPECT_EQ(rescue.written[0].path, home);
        EXPECT_EQ(readFile(home), "one\r\n");
        EXPECT_EQ(rescue.written[1].path,
                  dir.filePath("song-t.txt (unsaved lines, 2026-12-08 05.21.05)") + suffix + ".txt");
        EXPECT_TRUE(
            rescue.report().startsWith("cantorel: unsaved lyric lines written to " + home + " (in the home folder)\n"));
    }

    // Nowhere to go: the lines come back with what was tried.
    const RescueOutcome lost = writeRescueCopies({sides[0]}, {places[0]}, when);
    ASSERT_EQ(lost.unwritten.size(), 1);
    EXPECT_EQ(lost.unwritten[0].lines, QStringList {"one"});
    EXPECT_EQ(lost.unwritten[0].tried.size(), 2); // beside its file, then the data folder
    EXPECT_TRUE(lost.report().endsWith("----- Lyrics -----\none\n----- end of Lyrics -----\n"));
}
