#!/bin/sh
# Runs a test program where it may mount file systems of its own: in a user
# and mount namespace of its own (as root there, for its mounts only, which
# vanish with it). Where the system allows no such namespace the program runs
# as it is, and a test that cannot mount skips.
#   with-own-mounts.sh PROGRAM [ARGUMENTS...]
if unshare --map-root-user --mount true 2>/dev/null; then
  exec unshare --map-root-user --mount "$@"
fi
exec "$@"
