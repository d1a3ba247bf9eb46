#include "support/ScriptedPrompts.h"

#include <gtest/gtest.h>

namespace cantorel::testing {

const char* kindName(ScriptedPrompts::Kind kind)
{
    switch (kind) {
    case ScriptedPrompts::Kind::Message:
        return "message";
    case ScriptedPrompts::Kind::Input:
        return "input box";
    case ScriptedPrompts::Kind::OpenFile:
        return "open-file dialog";
    case ScriptedPrompts::Kind::SaveFile:
        return "save-file dialog";
    case ScriptedPrompts::Kind::Folder:
        return "folder browser";
    case ScriptedPrompts::Kind::Font:
        return "font dialog";
    case ScriptedPrompts::Kind::Color:
        return "colour dialog";
    }
    return "?";
}

ScriptedPrompts::~ScriptedPrompts()
{
    for (const Step& s : m_script)
        ADD_FAILURE() << "scripted " << kindName(s.kind) << " never came: \"" << s.expectedText.toStdString() << "\"";
}

QStringList ScriptedPrompts::messages() const
{
    QStringList out;
    for (const Asked& a : asked) {
        if (a.kind == Kind::Message)
            out << a.text;
    }
    return out;
}

ScriptedPrompts& ScriptedPrompts::expectMessage(const QString& text, Answer answer)
{
    Step s;
    s.kind = Kind::Message;
    s.expectedText = text;
    s.answer = answer;
    m_script.push_back(s);
    return *this;
}

ScriptedPrompts& ScriptedPrompts::expectInput(const QString& answer)
{
    Step s;
    s.kind = Kind::Input;
    s.textAnswer = answer;
    m_script.push_back(s);
    return *this;
}

ScriptedPrompts& ScriptedPrompts::expectOpenFile(const QString& answer)
{
    Step s;
    s.kind = Kind::OpenFile;
    s.textAnswer = answer;
    m_script.push_back(s);
    return *this;
}

ScriptedPrompts& ScriptedPrompts::expectSaveFile(const QString& answer)
{
    Step s;
    s.kind = Kind::SaveFile;
    s.textAnswer = answer;
    m_script.push_back(s);
    return *this;
}

ScriptedPrompts& ScriptedPrompts::expectFolder(const QString& answer)
{
    Step s;
    s.kind = Kind::Folder;
    s.textAnswer = answer;
    m_script.push_back(s);
    return *this;
}

ScriptedPrompts& ScriptedPrompts::expectFont(const std::optional<FontChoice>& answer)
{
    Step s;
    s.kind = Kind::Font;
    s.font = answer;
    m_script.push_back(s);
    return *this;
}

ScriptedPrompts& ScriptedPrompts::expectColor(const std::optional<QColor>& answer)
{
    Step s;
    s.kind = Kind::Color;
    s.color = answer;
    m_script.push_back(s);
    return *this;
}

bool ScriptedPrompts::take(const Asked& a, Step* step)
{
    asked.append(a);
    if (m_script.empty()) {
        ADD_FAILURE() << "unexpected " << kindName(a.kind) << ": \"" << a.text.toStdString() << "\"";
        return false;
    }
    const Step& next = m_script.front();
    if (next.kind != a.kind
        || (a.kind == Kind::Message && !next.expectedText.isEmpty() && next.expectedText != a.text)) {
        ADD_FAILURE() << "expected " << kindName(next.kind) << " \"" << next.expectedText.toStdString() << "\" but got "
                      << kindName(a.kind) << " \"" << a.text.toStdString() << "\"";
        return false;
    }
    *step = next;
    m_script.pop_front();
    return true;
}

Prompts::Answer ScriptedPrompts::message(QWidget* owner, const QString& text, Buttons buttons, Icon icon,
                                         const QString& title)
{
    Asked a {Kind::Message, text, title};
    a.buttons = buttons;
    a.icon = icon;
    a.owner = owner;
    Step s;
    if (!take(a, &s))
        return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
    return s.answer;
}

QString ScriptedPrompts::input(QWidget* owner, const QString& prompt, const QString& title, const QString& defaultText)
{
    Asked a {Kind::Input, prompt, title};
    a.startName = defaultText;
    a.owner = owner;
    Step s;
    return take(a, &s) ? s.textAnswer : QString();
}

QString ScriptedPrompts::openFile(QWidget* owner, const QString& title, const QList<FileFilter>& filters,
                                  const QString& startName, bool mustExist)
{
    Asked a {Kind::OpenFile, title};
    a.filters = filters;
    a.startName = startName;
    a.mustExist = mustExist;
    a.owner = owner;
    Step s;
    return take(a, &s) ? s.textAnswer : QString();
}

QString ScriptedPrompts::saveFile(QWidget* owner, const QString& title, const QList<FileFilter>& filters,
                                  const QString& startName)
{
    Asked a {Kind::SaveFile, title};
    a.filters = filters;
    a.startName = startName;
    a.owner = owner;
    Step s;
    return take(a, &s) ? s.textAnswer : QString();
}

QString ScriptedPrompts::chooseFolder(QWidget* owner, const QString& prompt)
{
    Asked a {Kind::Folder, prompt};
    a.owner = owner;
    Step s;
    return take(a, &s) ? s.textAnswer : QString();
}

std::optional<Prompts::FontChoice> ScriptedPrompts::chooseFont(QWidget* owner, const FontChoice& start)
{
    Asked a {Kind::Font, start.family};
    a.owner = owner;
    Step s;
    return take(a, &s) ? s.font : std::nullopt;
}

std::optional<QColor> ScriptedPrompts::chooseColor(QWidget* owner, const QColor& start, CustomColors&)
{
    Asked a {Kind::Color, start.name()};
    a.owner = owner;
    Step s;
    return take(a, &s) ? s.color : std::nullopt;
}

} // namespace cantorel::testing
