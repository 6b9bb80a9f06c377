#!/usr/bin/env bash
# Black-box timing of the viewers people use, side by side in one run: each is
# started under Xvfb with openbox on the same 12 MP photo-like JPEGs and timed
# from the screen until the photo shows, on opening and on stepping to the
# next picture. Prints medians and Lumvex's ratios.
# Usage: bench/desktop/open_and_step.sh [RUNS]   (default 5)
set -euo pipefail
cd "$(dirname "$0")/../.."
runs=${1:-5}
scripts/install-deps.sh --desktop-bench
root=$PWD
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release -j"$(nproc)" --target lumvex >/dev/null
work=$(mktemp -d)
xvfb_pid=""
cleanup() {
  pkill -P $$ 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
cc -O2 -Wall bench/desktop/screenwait.c -o "$work/screenwait" -lX11 -lXtst

# Photo-like pictures, each of one dominant hue so that the screen tells them apart.
photos="$work/photos"
mkdir -p "$photos"
convert -size 4000x3000 plasma:red-darkred -blur 0x1 -quality 90 "$photos/a.jpg" &
convert -size 4000x3000 plasma:blue-navy -blur 0x1 -quality 90 "$photos/b.jpg" &
wait

export DISPLAY=:77
Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.05; done
openbox >/dev/null 2>&1 &
sleep 1
export XDG_CONFIG_HOME="$work/config" HOME="$work/home" LUMVEX_REGISTRY_DIR="$work/registry"
mkdir -p "$HOME" "$XDG_CONFIG_HOME"

median() { sort -n | awk '{v[NR]=$1} END {if (NR) print (NR%2) ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2}'; }

# time_viewer NAME NEXT_KEY COMMAND...: appends "NAME open|step ms" lines to $work/times.
time_viewer() {
  local name=$1 key=$2; shift 2
  for _ in $(seq "$runs"); do
    out=$("$work/screenwait" red 20000 -- "$@" 2>/dev/null) || { echo "$name: did not show the photo" >&2; pkill -f "$1" || true; continue; }
    echo "$name open $(sed -n 1p <<<"$out")" >>"$work/times"
    pid=$(sed -n 2p <<<"$out")
    if [ "$key" != - ]; then
      sleep 1.5  # the viewer settles, and may read ahead
      if step=$("$work/screenwait" blue 20000 --key "$key"); then
        echo "$name step $step" >>"$work/times"
      fi
    fi
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    sleep 0.5
  done
}

: >"$work/times"
cd "$photos"
time_viewer lumvex space "$root/build/release/lumvex" "$photos/a.jpg"
time_viewer qimgv Right qimgv "$photos/a.jpg"
time_viewer feh - feh --scale-down "$photos/a.jpg"

value() { awk -v n="$1" -v k="$2" '$1==n && $2==k {print $3}' "$work/times" | median; }
printf '%-8s %10s %10s\n' viewer "open ms" "step ms"
for v in lumvex qimgv feh; do
  open=$(value $v open); step=$(value $v step)
  printf '%-8s %10s %10s\n' "$v" "${open:-—}" "${step:-—}"
done
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (a == "" || b == "" || b == 0) print "n/a"; else printf "%.2f", a / b }'; }
echo "Lumvex open / feh open:    $(ratio "$(value lumvex open)" "$(value feh open)")"
echo "Lumvex open / qimgv open:  $(ratio "$(value lumvex open)" "$(value qimgv open)")"
echo "Lumvex step / qimgv step:  $(ratio "$(value lumvex step)" "$(value qimgv step)")"
