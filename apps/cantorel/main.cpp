// Cantorel: the lyric player.
//   Cantorel [MEDIA]   opens MEDIA (all arguments as one path) with its lyric;
//                      an LRC file opens the song it belongs to. While a
//                      player runs for this user and display, MEDIA goes to
//                      that one instead, which comes to the front.
#include "common/AppTitle.h"
#include "common/FileNames.h"
#include "common/ProgramEnd.h"
#include "engine/AudioEngineFactory.h"
#include "lyrics/EncodingChoices.h"
#include "platform/AudioFailurePolicy.h"
#include "platform/PlayerRendezvous.h"
#include "platform/QtPrompts.h"
#include "platform/TerminationSignals.h"
#include "platform/WindowFront.h"
#include "player/Form1.h"
#include "player/LaunchPath.h"
#include "player/mpris/MprisService.h"

#include <QApplication>
#include <QSessionManager>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // No display name: the desktop would append it to every window title.
    QApplication::setApplicationName(QStringLiteral("Cantorel"));
    // The desktop matches the windows to their entry by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral(CANTOREL_APP_ID));
    QApplication::setQuitOnLastWindowClosed(false);

    // One player per user and display: a later start hands its song to the
    // running player and ends here.
    const QString song = cantorel::launchPath(cantorel::commandLineArguments(argc, argv).join(QLatin1Char(' ')),
                                              cantorel::workingFolder()); // argv keeps any name
    cantorel::PlayerRendezvous rendezvous(cantorel::PlayerRendezvous::displayKey());
    switch (rendezvous.start(song)) {
    case cantorel::PlayerRendezvous::Start::HandedOver:
        return 0;
    case cantorel::PlayerRendezvous::Start::Alone:
        std::fprintf(stderr, "cantorel: %s; this player runs on its own\n", qPrintable(rendezvous.error()));
        break;
    case cantorel::PlayerRendezvous::Start::First:
        break;
    }

    auto engine = cantorel::engine::createAudioEngine();
    cantorel::QtPrompts prompts(cantorel::playerTitle());
    cantorel::ProcessEnd end;
    // An engine call that fails on a live object ends the program.
    cantorel::AudioFailurePolicy failures(prompts, end);

    // The encodings the user chose for lyric files, for every lyric read.
    cantorel::lyrics::EncodingChoices encodingChoices(cantorel::lyrics::encodingChoicesPath());
    cantorel::lyrics::useEncodingChoices(&encodingChoices);

    cantorel::Form1 form({*engine, prompts, failures, nullptr, &encodingChoices});
    QObject::connect(&form, &cantorel::Form1::unloaded, &app, &QApplication::quit, Qt::QueuedConnection);

    // kill, Ctrl+C and the end of the session end the program the normal
    // way, keeping unsaved lyric lines.
    cantorel::TerminationSignals stopSignals([&form] { form.endWithoutQuestions(); });
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &form,
                     [&form](QSessionManager&) { form.rescueUnsavedLines(); });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &form, [&form] { form.endWithoutQuestions(); });

    // A song handed over by a later start opens as one from the playlist does.
    QObject::connect(
        &rendezvous, &cantorel::PlayerRendezvous::pathHandedOver, &form,
        [&form](const QString& path) {
            cantorel::bringToFront(form);
            if (!path.isEmpty())
                form.text3Change(path);
        },
        Qt::QueuedConnection);
    // The media keys, sound menus and lock screen (when there is a session bus).
    cantorel::mpris::MprisService mpris(form);

    form.load(song);
    return app.exec();
}
