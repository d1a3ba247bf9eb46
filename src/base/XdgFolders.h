#pragma once
// The user's base folders by the XDG base-directory rules. A variable that is
// unset, empty or not an absolute path is ignored, as the rules ask (a
// relative one would name a different folder in every working folder), and
// the folder's usual place is taken instead; a relative one is reported once
// per process on stderr.
//
// Every value is read anew on each call. Any thread that does not race with
// changes of the environment.
#include <QString>

namespace cantorel {

// $HOME when it is absolute, else the home folder of the user's entry in the
// password database, else "/".
QString homeFolder();

// $XDG_CONFIG_HOME, else <home>/.config.
QString xdgConfigHome();

// $XDG_DATA_HOME, else <home>/.local/share.
QString xdgDataHome();

// $XDG_CACHE_HOME, else <home>/.cache.
QString xdgCacheHome();

// $XDG_RUNTIME_DIR, else a folder of this user's only in the temporary
// folder ($TMPDIR when absolute, else /tmp): runtime-<user name>, made when
// missing. "" with *problem set when neither can be used: the fallback is
// not a folder, is someone else's, or cannot be made private. The folder is
// not checked further here.
QString xdgRuntimeDir(QString* problem = nullptr);

// Makes `folder` (readable by the user only) when it is missing, and checks
// that it is a real folder of this user's that no one else can open (a
// folder open to others is closed). False with *problem set when it is not.
bool makePrivateFolder(const QString& folder, QString* problem = nullptr);

} // namespace cantorel
