#pragma once
// A player window on the fake engine with scripted prompts, and songs with
// lyric files in a temporary folder.
#include "controller/PlayerController.h"
#include "player/Form1.h"
#include "support/LyricSongs.h"
#include "support/ScopedEnvironment.h"
#include "support/WindowFixture.h"
#include "widgets/LyricPane.h"

#include <utility>
#include <vector>

namespace cantorel::testing {

class PlayerFixture : public WindowFixture<Form1> {
protected:
    using Line = LyricLine;

    void SetUp() override
    {
        WindowFixture::SetUp();
        // The program's settings (the desktop lyric bar's) are the test's own.
        config = std::make_unique<ScopedEnvironment>("XDG_CONFIG_HOME", dir.filePath("config").toLocal8Bit());
        makePlayer();
    }
    void TearDown() override
    {
        WindowFixture::TearDown();
        controller.reset();
        config.reset();
    }

    // A new player and its window, with these random draws (null: seeded)
    // and lyric encodings (null: no menu).
    void makePlayer(RandomSource* random = nullptr, lyrics::EncodingChoices* choices = nullptr)
    {
        form.reset();
        controller = std::make_unique<PlayerController>(engine, random);
        form = std::make_unique<Form1>(*controller, PlayerServices {engine, prompts, failures, choices});
    }

    // A song file (its bytes do not matter to the fake engine) with the
    // given lyric and translation; an empty list writes no file.
    QString song(const QString& name, const std::vector<Line>& lyric = {}, const std::vector<Line>& translation = {},
                 unsigned lengthMs = 180000)
    {
        return writeLyricSong(engine, dir.filePath(name), lyric, translation, lengthMs);
    }
    static QByteArray records(const std::vector<Line>& lines) { return lyricRecords(lines); }

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
        form->timer2Tick(); // the next line's timer, at its time or after
    }

    LyricPane* text1() const { return child<LyricPane>("Text1"); }
    LyricPane* text2() const { return child<LyricPane>("Text2"); }

    std::unique_ptr<PlayerController> controller;
    std::unique_ptr<ScopedEnvironment> config;
};

} // namespace cantorel::testing
