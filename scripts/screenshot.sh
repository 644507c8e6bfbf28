#!/usr/bin/env bash
# Renders Velmora under the private Wine inside a 640 x 400 Wine virtual
# desktop (so the frame is drawn), and saves PNG pictures of the window, the
# upgrade question and the warning about an overriding pip setting to docs/.
set -euo pipefail
here=$(dirname "$(realpath "$0")")
root=$(realpath "$here/..")
build="$root/build/win32"

if [ -z "${VELMORA_WINE_SESSION:-}" ]; then
  exec "$here/wine-session.sh" "$build" "$0" "$@"
fi
# shellcheck source=wine-user.sh
source "$here/wine-user.sh"

# A folder of its own, so that the question's OK would run nothing here.
work=$(mktemp -d)
cp "$build/bin/velmora.exe" "$work/"
chmod -R a+rwX "$work"
"${wine_user_prefix[@]}" env LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 \
  wine explorer /desktop=shot,640x400 "$work/velmora.exe" &
program=$!

shot() { import -window root -crop 640x400+0+0 +repage "$1"; echo "wrote $1"; }
sleep 4
shot "$root/docs/velmora-window.png"
# The button's centre: the window is centred on the 640 x 400 desktop.
xdotool mousemove 320 280 click 1
sleep 3
shot "$root/docs/velmora-question.png"
xdotool key Escape
sleep 1

# A newer per-user pip.ini that names another index: the warning first.
appdata_pip="$WINEPREFIX/drive_c/users/$wine_user/AppData/Roaming/pip"
"${wine_user_prefix[@]}" mkdir -p "$appdata_pip"
printf '[global]\r\nindex-url = https://pypi.org/simple\r\n' |
  "${wine_user_prefix[@]}" tee "$appdata_pip/pip.ini" >/dev/null
xdotool mousemove 320 280 click 1
sleep 3
shot "$root/docs/velmora-override-warning.png"
xdotool key Return
sleep 1
xdotool key Escape
rm -rf "$appdata_pip"

kill "$program" 2>/dev/null || true
rm -rf "$work"
