#pragma once
// Prompts for tests: a script of expected prompts with their answers, taken
// in order. Every prompt is recorded in `asked`. A prompt that the script
// does not expect next (wrong kind, wrong text, or script exhausted) fails the
// running test; so does a script left with unused answers when it is
// destroyed.
#include "common/Prompts.h"

#include <QList>
#include <QStringList>
#include <deque>

namespace cantorel::testing {

class ScriptedPrompts : public Prompts {
public:
    enum class Kind { Message, Input, OpenFile, SaveFile, Folder, Font, Color };

    struct Asked {
        Asked(Kind k, QString t, QString ti = QString()) : kind(k), text(std::move(t)), title(std::move(ti)) {}
        Kind kind;
        QString text;  // message text, input prompt, dialog title
        QString title; // message / input title
        Buttons buttons = Buttons::Ok;
        Icon icon = Icon::None;
        QList<FileFilter> filters;
        QString startName;
        bool mustExist = false;
        QWidget* owner = nullptr;
    };

    ScriptedPrompts() = default;
    ~ScriptedPrompts() override;

    // Expect a message box whose text is exactly `text` (any text when
    // empty) and answer it.
    ScriptedPrompts& expectMessage(const QString& text, Answer answer = Answer::Ok);
    ScriptedPrompts& expectInput(const QString& answer);
    // "" answers as a cancelled dialog.
    ScriptedPrompts& expectOpenFile(const QString& answer);
    ScriptedPrompts& expectSaveFile(const QString& answer);
    ScriptedPrompts& expectFolder(const QString& answer);
    ScriptedPrompts& expectFont(const std::optional<FontChoice>& answer);
    ScriptedPrompts& expectColor(const std::optional<QColor>& answer);

    QList<Asked> asked;
    int remaining() const { return int(m_script.size()); }
    // Texts of every message box shown so far, in order.
    QStringList messages() const;

    Answer message(QWidget* owner, const QString& text, Buttons buttons, Icon icon, const QString& title) override;
    QString input(QWidget* owner, const QString& prompt, const QString& title, const QString& defaultText) override;
    QString openFile(QWidget* owner, const QString& title, const QList<FileFilter>& filters, const QString& startName,
                     bool mustExist) override;
    QString saveFile(QWidget* owner, const QString& title, const QList<FileFilter>& filters,
                     const QString& startName) override;
    QString chooseFolder(QWidget* owner, const QString& prompt) override;
    std::optional<FontChoice> chooseFont(QWidget* owner, const FontChoice& start) override;
    std::optional<QColor> chooseColor(QWidget* owner, const QColor& start, CustomColors& customColors) override;

private:
    struct Step {
        Kind kind = Kind::Message;
        QString expectedText;
        Answer answer = Answer::Ok;
        QString textAnswer;
        std::optional<FontChoice> font;
        std::optional<QColor> color;
    };

    // Pops the next step if it matches; otherwise reports the failure.
    bool take(const Asked& a, Step* step);

    std::deque<Step> m_script;
};

const char* kindName(ScriptedPrompts::Kind kind);

} // namespace cantorel::testing
