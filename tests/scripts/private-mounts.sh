#!/bin/sh
# Runs a test program in a mount namespace of its own where the system
# allows it (as root): what the tests mount (a FUSE drive that stops
# answering, a tmpfs inside a tree) goes with the program, even when it is
# killed. Elsewhere the program runs as it is, and those tests skip.
if [ "$(id -u)" = 0 ] && unshare --mount --propagation private true 2>/dev/null; then
  exec unshare --mount --propagation private "$@"
fi
exec "$@"
