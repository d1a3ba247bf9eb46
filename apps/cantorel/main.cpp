// Cantorel: the lyric player.
//   Cantorel [MEDIA...]  opens the first MEDIA with its lyric and adds the
//                        others to the playlist; an LRC file opens the song it
//                        belongs to, a file:// URL its file. While a player
//                        runs for this user and display, MEDIA goes to that
//                        one instead, which comes to the front.
//   Cantorel --follow[=NAME]  shows the lyric of what another media player
//                        on the desktop plays: the one that plays, or the one
//                        whose bus name ends in NAME (follow/FollowChoice.h).
#include "audiopolicy/AudioFailurePolicy.h"
#include "base/AppTitle.h"
#include "base/FileNames.h"
#include "common/ProgramEnd.h"
#include "controller/LaunchPath.h"
#include "controller/PlayerController.h"
#include "engine/AudioEngineFactory.h"
#include "follow/Following.h"
#include "follow/PlayerFollowing.h"
#include "lyrics/EncodingChoices.h"
#include "mpris/MprisService.h"
#include "platform/QtPrompts.h"
#include "platform/TerminationSignals.h"
#include "player/Form1.h"
#include "player/PlayerOnline.h"
#include "sockets/PlayerRendezvous.h"

#include <QApplication>
#include <QSessionManager>

#include <cstdio>

int main(int argc, char** argv)
{
    // The wipes of lines sung word by word repaint thin strips of the lyric
    // pane and the desktop bar many times a second. Through X11 shared
    // memory each such paint waits on a round trip to the X server (the
    // image may still be read from); sent with the request it does not.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");
    QApplication app(argc, argv);
    // No display name: the desktop would append it to every window title.
    QApplication::setApplicationName(QStringLiteral("Cantorel"));
    // The desktop matches the windows to their entry by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral(CANTOREL_APP_ID));
    QApplication::setQuitOnLastWindowClosed(false);

    // One player per user and display: a later start hands its song to the
    // running player and ends here.
    QStringList arguments = cantorel::commandLineArguments(argc, argv); // keeps any name
    QString followError;
    const auto followChoice = cantorel::follow::takeFollowOption(arguments, &followError);
    if (!followError.isEmpty())
        std::fprintf(stderr, "cantorel: %s\n", qPrintable(followError));
    const QStringList songs = cantorel::launchPaths(arguments, cantorel::workingFolder());
    cantorel::PlayerRendezvous rendezvous(cantorel::PlayerRendezvous::displayKey());
    // A running player follows as this start was asked to.
    if (followChoice)
        rendezvous.setRequest(followChoice->asOption());
    switch (rendezvous.start(songs)) {
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

    // What the player does; the window, the bus and the hand-over drive it.
    cantorel::PlayerController player(*engine);
    // Other media players on the desktop, whose tracks the lyric can follow.
    cantorel::follow::Following following(QDBusConnection::sessionBus());
    cantorel::follow::PlayerFollowing followingPlayer(player, following);
    cantorel::Form1 form(player, {*engine, prompts, failures, &encodingChoices, &following});
    QObject::connect(&form, &cantorel::Form1::unloaded, &app, &QApplication::quit, Qt::QueuedConnection);
    // A followed track without a lyric here is looked up online, when the
    // user has turned that on.
    form.online().lookUpFollowedTracks(followingPlayer, following);

    // kill, Ctrl+C and the end of the session end the program the normal
    // way, keeping unsaved lyric lines.
    cantorel::TerminationSignals stopSignals([&form] { form.endWithoutQuestions(); });
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &form,
                     [&form](QSessionManager&) { form.rescueUnsavedLines(); });
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &form, [&form] { form.endWithoutQuestions(); });

    // Songs handed over by a later start: the first opens as one from the
    // playlist does, the others join the playlist; then its --follow, if any.
    QObject::connect(
        &rendezvous, &cantorel::PlayerRendezvous::pathsHandedOver, &player,
        [&player, &following](const QStringList& paths, const QString& request) {
            player.raise();
            player.open(paths.value(0), cantorel::PlayerController::OpenSource::HandOver);
            player.queue(paths.mid(1));
            QStringList words {request};
            QString unused;
            if (const auto choice = cantorel::follow::takeFollowOption(words, &unused))
                following.choose(*choice);
        },
        Qt::QueuedConnection);
    // The media keys, sound menus and lock screen (when there is a session bus).
    cantorel::mpris::MprisService mpris(player);

    following.start();
    form.load(songs.value(0));
    player.queue(songs.mid(1));
    if (followChoice && !following.hasBus())
        std::fprintf(stderr, "cantorel: there is no session bus, so no other player can be followed\n");
    if (followChoice)
        following.choose(*followChoice);
    const int status = app.exec();
    // Editor lines that no file could take went to stderr: not a clean end.
    return form.unsavedLinesLost() ? 2 : status;
}
