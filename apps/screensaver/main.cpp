// Cantorel_Screen_Saver: shows the lyric lines that Cantorel hands over, full
// screen. "/s" runs the screen, "/c" shows its settings; see
// screensaver/ScreenSaverProgram.h for the switches and the
// CANTOREL_SCREENSAVER_ECHO test hook.
#include "base/AppTitle.h"
#include "platform/QtPrompts.h"
#include "platform/TerminationSignals.h"
#include "screensaver/ScreenSaverProgram.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Cantorel_Screen_Saver"));
    // The program ends through its end routine or when its settings close,
    // not when some window closes.
    QApplication::setQuitOnLastWindowClosed(false);

    cantorel::QtPrompts prompts(cantorel::screenSaverTitle());
    cantorel::screensaver::ScreenSaverProgram program(prompts);
    const QString echo = qEnvironmentVariable("CANTOREL_SCREENSAVER_ECHO");
    if (!echo.isEmpty())
        program.echoShownLinesTo(echo);

    // Stopped from outside, it still closes its receivers.
    cantorel::TerminationSignals stopSignals([&program] { program.end(); });

    if (!program.start(cantorel::screensaver::parseSwitches(QApplication::arguments().mid(1))))
        return 0;
    return QApplication::exec();
}
