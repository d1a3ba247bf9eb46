#pragma once
// A player window on the fake engine with scripted prompts, and songs with
// lyric files in a temporary folder.
#include "lyrics/LyricEscape.h"
#include "lyrics/LyricFiles.h"
#include "player/Form1.h"
#include "platform/WindowBeat.h"
#include "player/LyricPane.h"
#include "support/FakeAudioEngine.h"
#include "support/RecordedEnd.h"
#include "support/ScriptedPrompts.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

namespace cantorel::testing {

class PlayerFixture : public ::testing::Test {
protected:
    using Line = std::pair<double, QString>; // time in hundredths, text

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        form = std::make_unique<Form1>(PlayerServices{engine, prompts, end});
    }

    void TearDown() override { form.reset(); }

    // A song file (its bytes do not matter to the fake engine) with the
    // given lyric and translation; an empty list writes no file.
    QString song(const QString& name, const std::vector<Line>& lyric = {},
                 const std::vector<Line>& translation = {}, unsigned lengthMs = 180000)
    {
        const QString path = dir.filePath(name);
        writeFile(path, "audio");
        if (!lyric.empty())
            writeFile(lyrics::lyricPathOf(path), records(lyric));
        if (!translation.empty())
            writeFile(lyrics::translatedLyricPathOf(path), records(translation));
        engine.setMediaLength(path, lengthMs);
        return path;
    }

    static QByteArray records(const std::vector<Line>& lines)
    {
        QByteArray out;
        for (const auto& [time, text] : lines)
            out += lyrics::lyricRecord(time, lyrics::escapeLine(text)).toUtf8();
        return out;
    }

    static void writeFile(const QString& path, const QByteArray& bytes)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    // Opens `path` through the open dialog.
    void openThroughDialog(const QString& path)
    {
        prompts.expectOpenFile(path);
        form->command2Click();
    }

    // Moves the song on by `ms` and runs the timers as they would run.
    void play(unsigned ms)
    {
        engine.advance(ms);
        form->cTimer1Tick();
        form->beat().tickNow();
    }

    template <typename T>
    T* child(const char* name) const
    {
        T* w = form->findChild<T*>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    LyricPane* text1() const { return child<LyricPane>("Text1"); }
    LyricPane* text2() const { return child<LyricPane>("Text2"); }
    bool enabled(const char* name) const { return child<QWidget>(name)->isEnabled(); }

    FakeAudioEngine engine;
    ScriptedPrompts prompts;
    RecordedEnd end;
    QTemporaryDir dir;
    std::unique_ptr<Form1> form;
};

} // namespace cantorel::testing
