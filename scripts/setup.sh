#!/usr/bin/env bash
# Installs everything the build and the tests need on a Debian 12 machine.
# Safe to run again: it installs only what is missing.
set -euo pipefail

packages=(
  cmake make g++ googletest
  g++-mingw-w64-i686-posix mingw-w64-tools binutils-mingw-w64-i686
  wine wine32:i386
  xvfb xdotool x11-utils imagemagick fonts-wqy-microhei fonts-wine
  python3 python3-pip util-linux file acl
)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Windows programs do not run as an administrator that may write anything;
# as root Wine would let them. The Wine sessions of a root caller run as
# this plain account instead (scripts/wine-session.sh).
ensure_wine_account() {
  [ "$(id -u)" -eq 0 ] || return 0
  id velmora-wine >/dev/null 2>&1 && return 0
  useradd --system --create-home --home-dir /var/lib/velmora-wine \
    --shell /usr/sbin/nologin velmora-wine
}

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  ensure_wine_account
  exit 0
fi

echo "setup: installing ${missing[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  as_root dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
as_root apt-get update -qq
as_root apt-get install -y -qq --no-install-recommends "${missing[@]}"
ensure_wine_account
