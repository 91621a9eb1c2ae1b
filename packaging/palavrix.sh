#!/bin/sh
# Starts Palavrix from its own folder, lib/palavrix beside this bin folder: the program finds its
# database, character and data folder next to its executable, wherever the package was installed.
set -e
aqui=$(dirname "$(readlink -f "$0")")
# The windows take their places by absolute screen position, which only X11 grants; under a
# Wayland session that means XWayland. A platform the user chose keeps precedence.
if [ -z "${QT_QPA_PLATFORM:-}" ] && [ -n "${DISPLAY:-}" ]; then
  QT_QPA_PLATFORM=xcb
  export QT_QPA_PLATFORM
fi
exec "$aqui/../lib/palavrix/palavrix" "$@"
