// Replacing lyric files: whatever instant a kill comes at, or whichever step
// fails, the user's lyric is there with its old or its new text; and a
// replaced file keeps what it was (permissions, a link, a read-only mark).
#include "lyrics/LyricFileReplacement.h"

#include "support/TestFiles.h"
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace cantorel;
using namespace cantorel::lyrics;
using cantorel::testing::readFile;
using cantorel::testing::writeFile;

namespace {

QStringList namesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

mode_t modeOf(const QString& path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 07777 : 0;
}

// A lyric and its translation on disk, each with an older backup, replaced
// by a new lyric and either a new translation or none (set aside).
struct Pair {
    explicit Pair(const QString& folder, bool newTranslation)
        : lyric(folder + "/Rain.mp3-lyric.txt"), translation(folder + "/Rain.mp3-Tlyric.txt"),
          newTranslation(newTranslation)
    {
        writeFile(lyric, "old lyric");
        writeFile(lyric + ".bak", "older lyric");
        writeFile(translation, "old translation");
        writeFile(translation + ".bak", "older translation");
    }
    QList<FileReplacement> change() const
    {
        if (newTranslation)
            return {{lyric, "new lyric"}, {translation, "new translation"}};
        return {{lyric, "new lyric"}, {translation, QString(), true}};
    }

    // What a kill right now would leave: the lyric is always there; the pair
    // is old-old, new-new (or new lyric and no translation), or a new lyric
    // with the old translation, whose backup is then already made.
    ::testing::AssertionResult whole() const
    {
        const QByteArray l = readFile(lyric), t = readFile(translation);
        const QByteArray newT = newTranslation ? "new translation" : "<missing>";
        if (l == "old lyric" && t == "old translation")
            return ::testing::AssertionSuccess();
        if (l == "new lyric" && t == newT && readFile(translation + ".bak") == "old translation")
            return ::testing::AssertionSuccess();
        if (l == "new lyric" && t == "old translation" && readFile(translation + ".bak") == "old translation")
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << "lyric \"" << l.constData() << "\", translation \"" << t.constData() << "\"";
    }

    QString lyric, translation;
    bool newTranslation;
};

} // namespace

TEST(LyricFileReplacement, AKillOrAFailureAtAnyStepLeavesTheLyricWhole)
{
    for (const bool newTranslation : {true, false}) {
        int steps = 0;
        for (int failing = 0;; ++failing) {
            SCOPED_TRACE(::testing::Message() << "translation " << newTranslation << ", step " << failing);
            QTemporaryDir dir;
            const Pair pair(dir.path(), newTranslation);
            int seen = 0;
            const ReplacementResult r = replaceFiles(pair.change(), ReadOnlyRule::Refuse, [&](int step) {
                EXPECT_TRUE(pair.whole());
                seen = step + 1;
                return step != failing;
            });
            EXPECT_TRUE(pair.whole());
            if (failing == seen) { // every step ran
                ASSERT_TRUE(r.ok) << r.error.toStdString();
                ASSERT_GE(failing, 3);
                EXPECT_EQ(readFile(pair.lyric), "new lyric");
                EXPECT_EQ(readFile(pair.lyric + ".bak"), "old lyric");
                EXPECT_EQ(readFile(pair.lyric + ".bak.1"), "older lyric");
                EXPECT_EQ(readFile(pair.translation + ".bak"), "old translation");
                EXPECT_EQ(readFile(pair.translation + ".bak.1"), "older translation");
                EXPECT_EQ(r.backups.size(), 2);
                break;
            }
            // Undone: the files and their backups as they were, nothing left over.
            EXPECT_FALSE(r.ok);
            EXPECT_TRUE(r.error.contains(qt_error_string(EIO))) << r.error.toStdString();
            EXPECT_EQ(readFile(pair.lyric), "old lyric");
            EXPECT_EQ(readFile(pair.translation), "old translation");
            EXPECT_EQ(readFile(pair.lyric + ".bak"), "older lyric");
            EXPECT_EQ(readFile(pair.translation + ".bak"), "older translation");
            EXPECT_EQ(namesIn(dir.path()).size(), 4) << namesIn(dir.path()).join(", ").toStdString();
            steps = failing + 1;
        }
        EXPECT_GE(steps, 3); // staged, backed up, put in place
    }
}

TEST(LyricFileReplacement, AReplacedFileKeepsItsPermissionsAndItsLink)
{
    QTemporaryDir dir;
    const QString own = dir.filePath("Own.lrc");
    writeFile(own, "old");
    ASSERT_EQ(::chmod(QFile::encodeName(own).constData(), 0600), 0);
    ASSERT_TRUE(replaceFiles({{own, "new"}}).ok);
    EXPECT_EQ(modeOf(own), 0600u);
    EXPECT_EQ(modeOf(own + ".bak"), 0600u);

    // A link is followed: its file is replaced and backed up beside itself.
    ASSERT_TRUE(QDir(dir.path()).mkdir("shelf"));
    const QString real = dir.filePath("shelf/Song.lrc");
    const QString link = dir.filePath("Song.lrc");
    writeFile(real, "old song");
    ASSERT_TRUE(QFile::link("shelf/Song.lrc", link));
    const ReplacementResult r = replaceFiles({{link, "new song"}});
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.written, link);
    EXPECT_EQ(r.backups, QStringList {real + ".bak"});
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(readFile(real), "new song");
    EXPECT_EQ(readFile(real + ".bak"), "old song");
    EXPECT_FALSE(QFileInfo::exists(link + ".bak"));
}

TEST(LyricFileReplacement, AReadOnlyFileIsRefusedUnlessTheUserSaysOtherwise)
{
    QTemporaryDir dir;
    const QString lyric = dir.filePath("Rain.mp3-lyric.txt");
    const QString translation = dir.filePath("Rain.mp3-Tlyric.txt");
    writeFile(lyric, "old lyric");
    writeFile(translation, "old translation");
    ASSERT_EQ(::chmod(QFile::encodeName(translation).constData(), 0444), 0);

    // Refused before anything changes, the file named, for both kinds of change.
    for (const bool setAside : {false, true}) {
        const ReplacementResult r = replaceFiles({{lyric, "new lyric"}, {translation, "new", setAside}});
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.readOnly, QStringList {translation});
        EXPECT_EQ(r.error, translation + ": it is read-only.");
        EXPECT_EQ(namesIn(dir.path()), QStringList({"Rain.mp3-lyric.txt", "Rain.mp3-Tlyric.txt"}));
        EXPECT_EQ(readFile(lyric), "old lyric");
    }

    const ReplacementResult r =
        replaceFiles({{lyric, "new lyric"}, {translation, "new translation"}}, ReadOnlyRule::Replace);
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_TRUE(r.readOnly.isEmpty());
    EXPECT_EQ(readFile(translation), "new translation");
    EXPECT_EQ(modeOf(translation), 0444u); // still the user's read-only file
    EXPECT_EQ(readFile(translation + ".bak"), "old translation");
}
