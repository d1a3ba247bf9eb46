#pragma once
// A lyric maker window on the fake engine with scripted prompts, and songs
// and plain-text lyrics in a temporary folder.
#include "maker/Form2.h"
#include "platform/WindowBeat.h"
#include "player/LyricPane.h"
#include "support/FakeAudioEngine.h"
#include "support/RecordedEnd.h"
#include "support/ScriptedPrompts.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

namespace cantorel::testing {

using Answer = Prompts::Answer;

inline QByteArray readAll(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray("<missing>");
    return f.readAll();
}

inline void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(bytes);
}

class MakerFixture : public ::testing::Test {
protected:
    static constexpr const char* kTranslationQuestion = "Do you want Have a translated version of the song?";

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        form = std::make_unique<Form2>(MakerServices{engine, prompts, end});
        form->load();
    }

    void TearDown() override { form.reset(); }

    // A song file (its bytes do not matter to the fake engine).
    QString song(const QString& name, unsigned lengthMs = 180000)
    {
        const QString path = dir.filePath(name);
        writeFile(path, "audio");
        engine.setMediaLength(path, lengthMs);
        return path;
    }

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

    // Moves the song on by `ms` and runs one position tick and one capture
    // tick, as the timers would.
    void play(unsigned ms)
    {
        engine.advance(ms);
        tick();
    }
    void tick()
    {
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
    LyricPane* text2() const { return child<LyricPane>("Text2"); }
    LyricPane* text4() const { return child<LyricPane>("Text4"); }
    bool enabled(const char* name) const { return child<QWidget>(name)->isEnabled(); }
    // Enabled states of Start, Next Line and Stop Making Lyrics, e.g. "110".
    std::string recordingButtons() const
    {
        std::string s;
        for (const char* name : {"Command1", "Command2", "Command3"})
            s += enabled(name) ? '1' : '0';
        return s;
    }

    FakeAudioEngine engine;
    ScriptedPrompts prompts;
    RecordedEnd end;
    QTemporaryDir dir;
    std::unique_ptr<Form2> form;
};

} // namespace cantorel::testing
