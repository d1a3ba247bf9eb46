#include "screensaver/ScreenSaverProgram.h"

#include "screensaver/LyricBox.h"
#include "screensaver/ScreenSaver.h"
#include "screensaver/Setting.h"

#include <QCoreApplication>
#include <QFile>

namespace cantorel::screensaver {

StartSwitches parseSwitches(const QStringList& arguments)
{
    const QString line = arguments.join(u' ');
    auto has = [&](QStringView a, QStringView b) {
        return line.contains(a, Qt::CaseInsensitive) || line.contains(b, Qt::CaseInsensitive);
    };
    return StartSwitches {has(u"/s", u"-s"), has(u"/c", u"-c")};
}

ScreenSaverProgram::ScreenSaverProgram(Prompts& prompts, std::function<void(int)> quit)
    : m_prompts(prompts), m_quit(std::move(quit))
{
    if (!m_quit)
        m_quit = [](int code) { QCoreApplication::exit(code); };
}

ScreenSaverProgram::~ScreenSaverProgram() = default;

ScreenSaver& ScreenSaverProgram::loadScreen()
{
    if (!m_screen) {
        m_screen = std::make_unique<ScreenSaver>(m_prompts, m_cursor, [this] { end(); });
        if (!m_echoPath.isEmpty()) {
            const auto* text1 = m_screen->findChild<LyricBox*>(QStringLiteral("Text1"));
            const auto* text2 = m_screen->findChild<LyricBox*>(QStringLiteral("Text2"));
            connect(text1, &LyricBox::textChanged, this,
                    [this](const QString& line) { echo(QStringLiteral("Text1"), line); });
            connect(text2, &LyricBox::textChanged, this,
                    [this](const QString& line) { echo(QStringLiteral("Text2"), line); });
        }
        m_screen->load();
    }
    return *m_screen;
}

bool ScreenSaverProgram::start(const StartSwitches& switches)
{
    if (!switches.showScreen && !switches.configure)
        return false;
    if (switches.showScreen) {
        loadScreen().showFullScreenSaver();
        m_cursor.show(true);
    }
    if (switches.configure) {
        ScreenSaver& screen = loadScreen();
        Setting* setting = screen.settingWindow();
        // Started only to configure: closing the settings ends the program.
        connect(setting, &Setting::closed, this, [this] {
            if (m_screen && !m_screen->isVisible())
                end();
        });
        setting->setWindowModality(Qt::ApplicationModal);
        setting->show();
        setting->raise();
        setting->activateWindow();
    }
    return true;
}

void ScreenSaverProgram::end()
{
    if (m_ended)
        return;
    m_ended = true;
    m_cursor.show(false);
    if (m_screen) {
        m_screen->closeReceivers();
        m_screen->hide();
    }
    m_quit(0);
}

void ScreenSaverProgram::echoShownLinesTo(const QString& path)
{
    m_echoPath = path;
}

void ScreenSaverProgram::echo(const QString& box, const QString& line)
{
    QFile file(m_echoPath);
    if (file.open(QIODevice::WriteOnly | QIODevice::Append))
        file.write((box + QStringLiteral(": ") + line + u'\n').toUtf8());
}

} // namespace cantorel::screensaver
