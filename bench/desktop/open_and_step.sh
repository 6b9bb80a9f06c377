#!/usr/bin/env bash
# Black-box timing of the viewers people use, side by side in one run: each is
# started under Xvfb with openbox on the same 12 MP photo-like JPEGs and timed
# from the screen until the photo shows, on opening and on stepping to the
# next picture; then Lumvex alone opening the same photo in a folder of 20 000
# files. Prints medians and Lumvex's ratios. The figures are wall-clock times
# on whatever else the machine is doing: run it on a quiet machine.
# Usage: bench/desktop/open_and_step.sh [RUNS]   (default 5)
set -euo pipefail
cd "$(dirname "$0")/../.."
runs=${1:-5}
scripts/install-deps.sh --desktop-bench
root=$PWD
cmake -S . -B build/rel -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/rel -j"$(nproc)" --target lumvex >/dev/null
work=$(mktemp -d)
xvfb_pid=""
openbox_pid=""
cleanup() {
  [ -n "$openbox_pid" ] && kill "$openbox_pid" 2>/dev/null || true
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
# The same photo among 20 000 files (names only: the folder listing is what is timed).
crowd="$work/crowd"
mkdir -p "$crowd"
ln "$photos/a.jpg" "$crowd/a.jpg"
(cd "$crowd" && for i in $(seq -w 1 19999); do : >"f$i.jpg"; done)

export DISPLAY=:77
Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.05; done
openbox >/dev/null 2>&1 &
openbox_pid=$!
sleep 1
export XDG_CONFIG_HOME="$work/config" HOME="$work/home" LUMVEX_REGISTRY_DIR="$work/registry"
mkdir -p "$HOME" "$XDG_CONFIG_HOME"

median() { sort -n | awk '{v[NR]=$1} END {if (NR) print (NR%2) ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2}'; }

# time_viewer NAME NEXT_KEY COMMAND...: appends "NAME open|step ms" lines to $work/times.
time_viewer() {
  local name=$1 key=$2; shift 2
  for _ in $(seq "$runs"); do
    local ok=1
    out=$("$work/screenwait" red 20000 -- "$@" 2>/dev/null) || ok=0
    pid=$(sed -n 2p <<<"$out")
    if [ "$ok" = 0 ]; then
      echo "$name: did not show the photo" >&2
      [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
      continue
    fi
    echo "$name open $(sed -n 1p <<<"$out")" >>"$work/times"
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
time_viewer lumvex space "$root/build/rel/lumvex" "$photos/a.jpg"
time_viewer qimgv Right qimgv "$photos/a.jpg"
time_viewer feh - feh --scale-down "$photos/a.jpg"
# The same with the start-up fade-in switched off in the options ("c1" = 0),
# which the other viewers do not have.
mkdir -p "$work/nofade"
printf '[SOFTWARE\\TARNIC\\Lumvex]\nc1=dword:0\n' >"$work/nofade/HKEY_LOCAL_MACHINE.txt"
time_viewer lumvexnofade - env LUMVEX_REGISTRY_DIR="$work/nofade" "$root/build/rel/lumvex" "$photos/a.jpg"
cd "$crowd"
time_viewer lumvex20k - "$root/build/rel/lumvex" "$crowd/a.jpg"

value() { awk -v n="$1" -v k="$2" '$1==n && $2==k {print $3}' "$work/times" | median; }
printf '%-12s %10s %10s\n' viewer "open ms" "step ms"
for v in lumvex lumvexnofade qimgv feh lumvex20k; do
  open=$(value $v open); step=$(value $v step)
  printf '%-12s %10s %10s\n' "$v" "${open:-—}" "${step:-—}"
done
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (a == "" || b == "" || b == 0) print "n/a"; else printf "%.2f", a / b }'; }
echo "Lumvex open / feh open:    $(ratio "$(value lumvex open)" "$(value feh open)")"
echo "Lumvex open without the fade-in / feh open: $(ratio "$(value lumvexnofade open)" "$(value feh open)")"
echo "Lumvex open / qimgv open:  $(ratio "$(value lumvex open)" "$(value qimgv open)")"
echo "Lumvex step / qimgv step:  $(ratio "$(value lumvex step)" "$(value qimgv step)")"
echo "Lumvex open among 20 000 files / alone: $(ratio "$(value lumvex20k open)" "$(value lumvex open)")"
