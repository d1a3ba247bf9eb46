#pragma once
// A window under test on the fake engine, with scripted prompts, a recorded
// program end and a temporary folder for its files. The test class makes
// `form` in its SetUp.
#include "audiopolicy/AudioFailurePolicy.h"
#include "support/FakeAudioEngine.h"
#include "support/RecordedEnd.h"
#include "support/ScriptedPrompts.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>

namespace cantorel::testing {

template <typename Window>
class WindowFixture : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    void TearDown() override { form.reset(); }

    // A control of the window by its object name.
    template <typename T>
    T* child(const char* name) const
    {
        T* w = form->template findChild<T*>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    bool enabled(const char* name) const { return child<QWidget>(name)->isEnabled(); }

    // A song file (its bytes do not matter to the fake engine).
    QString songFile(const QString& name, unsigned lengthMs)
    {
        const QString path = dir.filePath(name);
        writeFile(path, "audio");
        engine.setMediaLength(path, lengthMs);
        return path;
    }

    FakeAudioEngine engine;
    ScriptedPrompts prompts;
    RecordedEnd end;
    AudioFailurePolicy failures {prompts, end};
    QTemporaryDir dir;
    std::unique_ptr<Window> form;
};

} // namespace cantorel::testing
