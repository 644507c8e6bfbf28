#!/usr/bin/env bash
# Runs a command with a private Wine: a prefix under the build folder, an
# Xvfb display of its own, one wineserver for the whole command. Everything
# it starts is stopped when the command ends; ~/.wine and the user's own
# display are never used.
#
#   scripts/wine-session.sh BUILD_DIR COMMAND [ARGS...]
set -euo pipefail

here=$(dirname "$(realpath "$0")")
# shellcheck source=wine-user.sh
source "$here/wine-user.sh"
as_wine_user() { "${wine_user_prefix[@]}" "$@"; }

build_dir=$(realpath "$1")
shift

# The Wine account must reach the build folder, wherever it was checked out
# (a clone under /root, say): let it pass through each folder on the way.
if [ "$(id -u)" -eq 0 ]; then
  dir="$build_dir"
  while [ "$dir" != "/" ]; do
    if ! as_wine_user test -x "$dir" 2>/dev/null; then
      setfacl -m "u:$wine_user:x" "$dir" 2>/dev/null || chmod o+x "$dir"
    fi
    dir=$(dirname "$dir")
  done
fi

export WINEPREFIX="$build_dir/wineprefix"
export WINEDEBUG=-all
export WINEARCH=win32
export WINEDLLOVERRIDES="mscoree,mshtml="
export VELMORA_WINE_SESSION=1

xvfb_pid=""
cleanup() {
  as_wine_user wineserver -k 2>/dev/null || true
  as_wine_user wineserver -w 2>/dev/null || true
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
}
trap cleanup EXIT

# Xvfb picks a free display number itself and reports it.
display_file=$(mktemp)
as_wine_user Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp \
  3>"$display_file" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$display_file" ] && break
  sleep 0.1
done
display=$(head -n 1 "$display_file")
rm -f "$display_file"
if [ -z "$display" ]; then
  echo "wine-session: Xvfb did not start" >&2
  exit 1
fi
export DISPLAY=":$display"

ready="$WINEPREFIX/.velmora-ready-2"
if [ ! -f "$ready" ] || [ "$(stat -c %U "$WINEPREFIX")" != "$wine_user" ]; then
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  [ "$(id -u)" -eq 0 ] && chown "$wine_user:" "$WINEPREFIX"
  as_wine_user wineboot -i >/dev/null 2>&1
  # Every window inside one Wine virtual desktop as large as the screen:
  # with no window manager on Xvfb, Wine otherwise waits about two seconds
  # for X focus events each time a message box closes.
  as_wine_user wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop \
    /d Default /f >/dev/null 2>&1
  as_wine_user wine reg add 'HKCU\Software\Wine\Explorer\Desktops' \
    /v Default /d 1024x768 /f >/dev/null 2>&1
  as_wine_user wineserver -w
  touch "$ready"
fi

as_wine_user wineserver -p
# Wine's own services start with the first program of the session and live
# as long as the server; started here, they hold no pipe of the command's.
as_wine_user wine cmd /c exit </dev/null >/dev/null 2>&1

set +e
"$@"
status=$?
set -e
exit "$status"
