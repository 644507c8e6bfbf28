#!/usr/bin/env bash
# Runs one Windows program under the private Wine of scripts/wine-session.sh,
# starting a session of its own when called outside one.
set -euo pipefail

here=$(dirname "$(realpath "$0")")
if [ -z "${VELMORA_WINE_SESSION:-}" ]; then
  exec "$here/wine-session.sh" "$here/../build/win32" "$0" "$@"
fi
# shellcheck source=wine-user.sh
source "$here/wine-user.sh"
# Code page 936 for the program's ANSI texts.
exec "${wine_user_prefix[@]}" env LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 \
  wine "$@"
