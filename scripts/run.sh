#!/usr/bin/env bash
# Starts velmora.exe under the private Wine, inside a Wine virtual desktop on
# the session's own Xvfb display, so its window has its frame. The screen is
# saved to build/win32/run.png every few seconds, to look at with any image
# viewer. Ends when Velmora's window is closed or on Ctrl+C; with
# VELMORA_RUN_SECONDS set, after that many seconds.
set -euo pipefail
here=$(dirname "$(realpath "$0")")
build="$here/../build/win32"

if [ -z "${VELMORA_WINE_SESSION:-}" ]; then
  exec "$here/wine-session.sh" "$build" "$0" "$@"
fi
# shellcheck source=wine-user.sh
source "$here/wine-user.sh"

"${wine_user_prefix[@]}" env LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 \
  wine explorer /desktop=velmora,640x400 "$(realpath "$build/bin/velmora.exe")" &
program=$!
echo "Velmora runs on display $DISPLAY; its screen: $(realpath "$build")/run.png"
started=$SECONDS
while kill -0 "$program" 2>/dev/null; do
  sleep 2
  import -window root "$build/run.png" 2>/dev/null || true
  if [ -n "${VELMORA_RUN_SECONDS:-}" ] &&
    [ $((SECONDS - started)) -ge "$VELMORA_RUN_SECONDS" ]; then
    echo "Stopping after $VELMORA_RUN_SECONDS seconds."
    break
  fi
done
