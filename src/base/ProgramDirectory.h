#pragma once
// Where the programs find their own files and keep the user's.
//
//   bundled data   help page, demo song, icons: beside the executable (a build
//                  folder), else in ../share/cantorel relative to it (an
//                  installed copy, wherever its prefix is)
//   settings       $XDG_CONFIG_HOME/cantorel (~/.config/cantorel): "setting.txt"
//   runtime files  <user's runtime folder>/cantorel ($XDG_RUNTIME_DIR/cantorel,
//                  usually /run/user/<uid>/cantorel): "hand.txt", the screen
//                  saver's receiver sockets, the running player's socket
//   user data      $XDG_DATA_HOME/cantorel (~/.local/share/cantorel): the
//                  editor's rescue copies of unsaved lines
//   caches         $XDG_CACHE_HOME/cantorel (~/.cache/cantorel): what can be
//                  made or fetched again (answers of lyric servers)
//
// The XDG variables are read anew on every call, so both programs (and tests
// that set them) agree; unset, empty or relative ones are ignored (see
// XdgFolders.h). User-interface thread, or any thread that does not
// race with changes of the environment.
#include <QString>

namespace cantorel {

// The folder of the running executable: where the programs look for each
// other (the screen saver beside the player).
QString executableDirectory();

// A bundled data file ("help/Welcome.htm", "demo/..."): beside the
// executable, or in the installed data folder (../share/cantorel from the
// executable's folder). Returns the first existing candidate, or the path
// beside the executable when none exists.
QString bundledDataPath(const QString& relative);

// $XDG_CONFIG_HOME/cantorel (~/.config/cantorel when unset). Not created here.
QString configDirectory();

// $XDG_DATA_HOME/cantorel (~/.local/share/cantorel when unset). Not created
// here.
QString userDataDirectory();

// $XDG_CACHE_HOME/cantorel (~/.cache/cantorel when unset). Not created here.
QString cacheDirectory();

// <runtime folder>/cantorel, where the runtime folder is the user's private
// xdgRuntimeDir() ($XDG_RUNTIME_DIR). The folder is made on
// first use, readable by the user only. "" with *problem set when there is
// none that can be used: no runtime folder, or "cantorel" there is not a
// folder of this user's (a link or someone else's folder is never used).
QString runtimeDirectory(QString* problem = nullptr);

// The first start of a version that keeps `name` in configDirectory(): when
// that folder does not exist yet, it is made and the first `name` found
// where earlier versions kept it (beside the executable, then
// $XDG_DATA_HOME/Cantorel) is copied into it. The former file is left as
// it was; once the folder exists it is never looked at again, so a file the
// user later removes stays removed. Returns configDirectory() + "/" + name.
QString adoptFormerSettingsFile(const QString& name);

} // namespace cantorel
