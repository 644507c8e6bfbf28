#!/usr/bin/env bash
# make bench: start-up, apply, size and idle memory of velmora.exe, printed
# as one table and written to bench/results.md. Every comparison is a ratio
# measured in this same run.
set -euo pipefail
here=$(dirname "$(realpath "$0")")
root=$(realpath "$here/..")
build="$root/build/win32"
exe="$build/bin/velmora.exe"
runs=21

figures=$("$root/scripts/wine-session.sh" "$build" \
  "$root/scripts/wine-exec.sh" "$build/bin/velmora_bench.exe" | tr -d '\r')
figure() { echo "$figures" | awk -v n="$1" '$1 == n { print $2, $3, $4 }'; }

# What a user would type instead: pip's own "pip config set", writing a
# throw-away user file, with no PIP_* variable of this machine.
pip_dir=$(mktemp -d)
python=$(python3 -c 'import sys; print(sys.executable)')
pip_times=()
for i in $(seq "$runs"); do
  start=$(date +%s%N)
  env -i PATH=/usr/bin:/bin HOME="$pip_dir" XDG_CONFIG_HOME="$pip_dir" \
    "$python" -m pip config --user set global.index-url \
    "http://mirrors.aliyun.com/pypi/simple/" >/dev/null
  env -i PATH=/usr/bin:/bin HOME="$pip_dir" XDG_CONFIG_HOME="$pip_dir" \
    "$python" -m pip config --user set global.trusted-host \
    "mirrors.aliyun.com" >/dev/null
  end=$(date +%s%N)
  pip_times+=("$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.2f", (b - a) / 1e6 }')")
done
rm -rf "$pip_dir"
pip_stats=$(printf '%s\n' "${pip_times[@]}" | sort -g |
  awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)], v[1], v[NR] }')

read -r sv_med sv_min sv_max <<<"$(figure startup_velmora)"
read -r sr_med sr_min sr_max <<<"$(figure startup_reference)"
read -r ratio_med ratio_min ratio_max <<<"$(figure startup_ratio)"
read -r ap_med ap_min ap_max <<<"$(figure apply_velmora)"
read -r pp_med pp_min pp_max <<<"$pip_stats"
read -r ws _ _ <<<"$(figure idle_working_set)"
read -r pb _ _ <<<"$(figure idle_private_bytes)"
size=$(stat -c %s "$exe")
sections=$(i686-w64-mingw32-size -A "$exe" |
  awk '$1 ~ /^\./ { printf "%s %d, ", $1, $2 }' | sed 's/, $//')
dlls=$(i686-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | paste -sd ' ')
apply_ratio=$(awk -v p="$pp_med" -v a="$ap_med" 'BEGIN { printf "%.1f", p / a }')

table=$(cat <<TABLE
| figure | median | min | max |
|---|---|---|---|
| start-up, velmora.exe (ms) | $sv_med | $sv_min | $sv_max |
| start-up, reference window (ms) | $sr_med | $sr_min | $sr_max |
| start-up ratio velmora / reference (paired runs) | $ratio_med | $ratio_min | $ratio_max |
| apply: click to pip.ini written and question shown (ms) | $ap_med | $ap_min | $ap_max |
| \`pip config set\` index-url + trusted-host (ms) | $pp_med | $pp_min | $pp_max |
| apply speed-up, pip config set / velmora (medians) | $apply_ratio | | |
| velmora.exe size (bytes) | $size | | |
| idle working set (bytes) | $ws | | |
| idle private bytes (bytes) | $pb | | |

Sections: $sections.
Imports: $dlls.
TABLE
)

{
  echo "# Velmora benchmark"
  echo
  echo "- date: $(date -u '+%Y-%m-%d %H:%M UTC')"
  echo "- CPU: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //') ($(nproc) cores)"
  echo "- Wine: $(wine --version)"
  echo "- pip: $("$python" -m pip --version | cut -d' ' -f1-2)"
  echo "- command: make bench ($runs runs each)"
  echo
  echo "$table"
} >"$here/results.md"
cat "$here/results.md"
