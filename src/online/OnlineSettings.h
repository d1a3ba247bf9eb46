#pragma once
// What the user chose for the online look-ups, in cantorel.conf
// (base/AppSettings.h):
//   online/server          the LRCLIB server (default https://lrclib.net)
//   online/timeoutSeconds  each request's time limit (default 20; 1 to 300)
//   online/lookUpMissing   look up a song without a lyric as it starts
//                          (default false: nothing leaves the machine
//                          unless the user asks)
// The server can also come from the environment (CANTOREL_LYRICS_SERVER)
// and a command line (--server): the later one wins.
#include <QString>
#include <QUrl>

namespace cantorel {
class AppSettings;
}

namespace cantorel::online {

inline constexpr char kDefaultServer[] = "https://lrclib.net";
inline constexpr char kServerKey[] = "online/server";
inline constexpr char kTimeoutKey[] = "online/timeoutSeconds";
inline constexpr char kLookUpMissingKey[] = "online/lookUpMissing";
inline constexpr char kServerVariable[] = "CANTOREL_LYRICS_SERVER";

struct ServerChoice {
    QUrl url;        // valid when problem is ""
    QString problem; // for the user: the address that is no server's
};

// The server `text` names: an http or https URL with a host. `from` says
// where the text came from, for the problem's wording.
ServerChoice serverNamed(const QString& text, const QString& from);

// The server to ask: the setting, then the environment variable, then
// `commandLine` (when not ""), the last one given winning. An address that
// is no server's is a problem, not a fallback: nothing is asked then.
ServerChoice chosenServer(const AppSettings& settings, const QString& commandLine = QString());

// The time limit of each request, in ms.
int requestTimeoutMs(const AppSettings& settings);

bool lookUpMissing(const AppSettings& settings);

} // namespace cantorel::online
