# Sourced by the Wine scripts: sets wine_user_prefix, the words that run a
# command as the account Wine runs under. A root caller runs Wine as the
# plain account velmora-wine (made by scripts/setup.sh), like a user on
# Windows; anyone else runs it as themselves.
if [ "$(id -u)" -eq 0 ]; then
  wine_user=velmora-wine
  wine_home=$(getent passwd "$wine_user" | cut -d: -f6)
  if [ -z "$wine_home" ]; then
    echo "wine: the account $wine_user is missing; run scripts/setup.sh" >&2
    exit 1
  fi
  wine_user_prefix=(setpriv "--reuid=$wine_user" "--regid=$wine_user"
    --init-groups env "HOME=$wine_home" "USER=$wine_user"
    "LOGNAME=$wine_user")
else
  wine_user=$(id -un)
  wine_user_prefix=()
fi
