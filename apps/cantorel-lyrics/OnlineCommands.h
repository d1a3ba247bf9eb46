#pragma once
// cantorel-lyrics' commands that talk to a lyric server: fetch, search,
// publish (see the usage text in main.cpp).
#include "ExitStatus.h"
#include "online/LrclibClient.h"

#include <QStringList>

#include <memory>

namespace cantorel::tool {

// Whether `command` is one of them.
bool isOnlineCommand(const QString& command);

// Runs `args` (the command first); returns the exit status. Needs a
// QCoreApplication.
int runOnlineCommand(QStringList args);

// Exit statuses of their own (the others are the tool's).
constexpr int kSomeNotFound = 4;  // fetch: some songs have no lyric on the server; search: no result
constexpr int kServerFailure = 5; // the server or the network failed (or refused what was sent)
constexpr int kDeclined = 6;      // publish: the user said no

// What the command line of one of them says: "--server URL", "--replace",
// "--jobs N" (1 to 16), "--yes" anywhere, the rest in order; `ok` is false
// for another option or a wrong number.
struct CommandOptions {
    QString server;
    bool replace = false;
    bool yes = false;
    int jobs = 4;
    QStringList rest;
    bool ok = true;
};
CommandOptions optionsOf(const QStringList& args);

// The client the commands share: the server chosen (the setting, the
// environment, `commandLineServer`), the time limit set; null when the
// server's address is wrong (said on stderr).
std::unique_ptr<online::LrclibClient> makeClient(const QString& commandLineServer);

// In FetchCommand.cpp and PublishCommand.cpp.
int fetchCommand(const QStringList& args);
int searchCommand(const QStringList& args);
int publishCommand(const QStringList& args);

} // namespace cantorel::tool
