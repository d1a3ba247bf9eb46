// The maker's part in sharing: a source chosen elsewhere is prepared without
// questions, and a complete recording is offered once its files are closed.
#include "MakerFixture.h"

#include <QSignalSpy>

using namespace cantorel;
using namespace cantorel::testing;

TEST_F(MakerFixture, ACompleteRecordingIsOfferedOnceItsFilesAreClosed)
{
    const QString media = song("Rain.mp3", 5000);
    QSignalSpy offered(form.get(), &Form2::lyricRecorded);
    form->makeFrom({media, lyric("rain.txt", {"one", "two"}), QString()});
    EXPECT_TRUE(prompts.asked.isEmpty());
    EXPECT_EQ(text2()->lyric(), "one");

    form->command1Click();
    play(1000);
    form->command2Click();
    EXPECT_TRUE(form->recording().allLinesDone());
    EXPECT_EQ(offered.count(), 0); // the lyric file is still being written
    play(4000);
    tick();
    ASSERT_EQ(offered.count(), 1);
    EXPECT_EQ(offered.first().at(0).toString(), media);
    EXPECT_EQ(offered.first().at(1).toLongLong(), 5000);
    form->close();
    EXPECT_EQ(offered.count(), 1);
}
