#pragma once
// cantorel-lyrics follow [--player NAME] [--translation] [--format FORMAT]
#include <QStringList>

namespace cantorel {

// The exit statuses of follow besides 0.
constexpr int kFollowWrongArguments = 64;
constexpr int kFollowNoBus = 69;

// Runs `follow` with the arguments after the word "follow": prints the
// line of what another media player on the session bus plays
// (follow/LineFormat.h) each time it changes, flushed at once, across
// tracks and player restarts, until the program is ended. Returns at once
// with kFollowWrongArguments (having said why on stderr when it can tell)
// or kFollowNoBus.
int runFollow(const QStringList& arguments);

} // namespace cantorel
