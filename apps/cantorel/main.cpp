// Cantorel: the lyric player.
//   Cantorel [MEDIA]   opens MEDIA (all arguments as one path) with its lyric
#include "common/AppTitle.h"
#include "common/FileNames.h"
#include "common/ProgramEnd.h"
#include "engine/AudioEngineFactory.h"
#include "platform/QtPrompts.h"
#include "player/Form1.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Cantorel"));
    QApplication::setApplicationDisplayName(QStringLiteral("Cantorel"));
    QApplication::setQuitOnLastWindowClosed(false);

    auto engine = cantorel::engine::createAudioEngine();
    cantorel::QtPrompts prompts(cantorel::playerTitle());
    cantorel::ProcessEnd end;

    cantorel::Form1 form({*engine, prompts, end});
    QObject::connect(&form, &cantorel::Form1::unloaded, &app, &QApplication::quit, Qt::QueuedConnection);
    form.load(cantorel::commandLineArguments(argc, argv).join(QLatin1Char(' '))); // argv keeps any name
    return app.exec();
}
