// Cantorel: the lyric player.
//   Cantorel [MEDIA]   opens MEDIA (all arguments as one path) with its lyric
#include "common/AppTitle.h"
#include "common/FileNames.h"
#include "common/ProgramEnd.h"
#include "engine/AudioEngineFactory.h"
#include "platform/AudioFailurePolicy.h"
#include "platform/QtPrompts.h"
#include "platform/TerminationSignals.h"
#include "player/Form1.h"

#include <QApplication>
#include <QSessionManager>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // No display name: the desktop would append it to every window title.
    QApplication::setApplicationName(QStringLiteral("Cantorel"));
    QApplication::setQuitOnLastWindowClosed(false);

    auto engine = cantorel::engine::createAudioEngine();
    cantorel::QtPrompts prompts(cantorel::playerTitle());
    cantorel::ProcessEnd end;
    // An engine call that fails on a live object ends the program.
    cantorel::AudioFailurePolicy failures(prompts, end);

    cantorel::Form1 form({*engine, prompts, failures});
    QObject::connect(&form, &cantorel::Form1::unloaded, &app, &QApplication::quit, Qt::QueuedConnection);

    // kill, Ctrl+C and the end of the session end the program the normal
    // way, keeping unsaved lyric lines.
    cantorel::TerminationSignals stopSignals([&form] { form.endWithoutQuestions(); });
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &form,
                     [&form](QSessionManager&) { form.rescueUnsavedLines(); });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &form, [&form] { form.endWithoutQuestions(); });

    form.load(cantorel::commandLineArguments(argc, argv).join(QLatin1Char(' '))); // argv keeps any name
    return app.exec();
}
