#include "lyrics/EncodingChoices.h"

#include "base/FileNames.h"
#include "support/TestFiles.h"
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace cantorel::lyrics;
using cantorel::testing::readFile;
using cantorel::testing::writeFile;

TEST(EncodingChoices, KeptForTheNextStartAndGarbageIsSkipped)
{
    QTemporaryDir dir;
    const QString store = dir.filePath("cantorel/lyric-encodings.txt");
    QDir().mkpath(dir.filePath("cantorel"));
    writeFile(store, "GB18030\t/m/a.lrc\nEBCDIC\t/m/b.lrc\nBig5\trelative.lrc\n\x01\xFF\tgarbage\n"
                     "no tab at all\nShift-JIS\t/m/a.lrc\n");
    EncodingChoices choices(store);
    EXPECT_EQ(choices.choiceFor("/m/a.lrc"), TextEncoding::ShiftJis); // the later line wins
    EXPECT_EQ(choices.choiceFor("/m/b.lrc"), std::nullopt);
    EXPECT_EQ(choices.choiceFor("/m/./x/../a.lrc"), TextEncoding::ShiftJis);

    // A name that is not UTF-8 holds for this run, but is not written.
    const QString foreign = cantorel::decodeFileName("/m/caf\xE9.lrc");
    ASSERT_TRUE(choices.choose({"/m/c.lrc", foreign}, TextEncoding::Windows1251));
    ASSERT_TRUE(choices.choose({"/m/a.lrc"}, std::nullopt));
    EXPECT_EQ(choices.choiceFor(foreign), TextEncoding::Windows1251);
    EXPECT_EQ(readFile(store), "Windows-1251\t/m/c.lrc\n");
    EXPECT_EQ(EncodingChoices(store).choiceFor("/m/c.lrc"), TextEncoding::Windows1251);

    // Only so many files are remembered: the oldest are forgotten.
    QStringList many;
    for (int i = 0; i <= kMaxEncodingChoices; ++i)
        many << QStringLiteral("/m/%1.lrc").arg(i);
    choices.choose(many, TextEncoding::EucKr);
    EXPECT_EQ(choices.choiceFor("/m/c.lrc"), std::nullopt);
    EXPECT_EQ(EncodingChoices(store).choiceFor(QStringLiteral("/m/%1.lrc").arg(kMaxEncodingChoices)),
              TextEncoding::EucKr);

    // A store that cannot be written: the choice holds, and why it was not
    // kept is said.
    EncodingChoices blocked(dir.filePath("cantorel/lyric-encodings.txt/inside"));
    QString error;
    EXPECT_FALSE(blocked.choose({"/m/d.lrc"}, TextEncoding::Koi8R, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(blocked.choiceFor("/m/d.lrc"), TextEncoding::Koi8R);
}
