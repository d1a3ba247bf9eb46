#pragma once
// A lyric maker window on the fake engine with scripted prompts, and songs
// and plain-text lyrics in a temporary folder.
#include "maker/Form2.h"
#include "support/WindowFixture.h"
#include "widgets/LyricPane.h"

namespace cantorel::testing {

using Answer = Prompts::Answer;

class MakerFixture : public WindowFixture<Form2> {
protected:
    static constexpr const char* kTranslationQuestion = "Do you want Have a translated version of the song?";

    void SetUp() override
    {
        WindowFixture::SetUp();
        form = std::make_unique<Form2>(MakerServices {engine, prompts, failures});
        form->load();
    }

    QString song(const QString& name, unsigned lengthMs = 180000) { return songFile(name, lengthMs); }

    // A plain-text lyric of these lines, CR LF after each.
    QString lyric(const QString& name, const QStringList& lines)
    {
        const QString path = dir.filePath(name);
        writeFile(path, (lines.join("\r\n") + "\r\n").toUtf8());
        return path;
    }

    // "Open " choosing the song, the lyric and (unless empty) a translation
    // with as many lines.
    void prepare(const QString& songPath, const QString& lyricPath, const QString& translationPath = QString())
    {
        prompts.expectOpenFile(songPath).expectOpenFile(lyricPath);
        if (translationPath.isEmpty()) {
            prompts.expectMessage(kTranslationQuestion, Answer::No);
        } else {
            prompts.expectMessage(kTranslationQuestion, Answer::Yes).expectOpenFile(translationPath);
        }
        form->command4Click();
    }

    // Moves the song on by `ms` and runs one position tick (with its capture
    // step), as the timer would.
    void play(unsigned ms)
    {
        engine.advance(ms);
        tick();
    }
    void tick() { form->cTimer1Tick(); }

    LyricPane* text2() const { return child<LyricPane>("Text2"); }
    LyricPane* text4() const { return child<LyricPane>("Text4"); }
    // Enabled states of Start, Next Line and Stop Making Lyrics, e.g. "110".
    std::string recordingButtons() const
    {
        std::string s;
        for (const char* name : {"Command1", "Command2", "Command3"})
            s += enabled(name) ? '1' : '0';
        return s;
    }
};

} // namespace cantorel::testing
