#!/usr/bin/env bash
# Installs what is missing, builds Lumvex (Release) and starts it.
# ./run.sh [PICTURE]   With no display, renders the main window to a PNG instead.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
build=build/release
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j"$(nproc)" --target lumvex
target=${1:-}
if [ -z "$target" ]; then cd samples; fi
exe="$OLDPWD/$build/lumvex"
[ -z "$target" ] || exe="$PWD/$build/lumvex"
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  shot=${LUMVEX_SCREENSHOT:-/tmp/lumvex-screenshot.png}
  QT_QPA_PLATFORM=offscreen "$exe" --screenshot "$shot" ${target:+"$target"}
  echo "No display: the main window was rendered to $shot"
else
  exec "$exe" ${target:+"$target"}
fi
