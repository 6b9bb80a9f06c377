#!/usr/bin/env bash
# The layer check passes on the tree and fails on each kind of breach planted
# in a copy of it.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
check="$root/scripts/check-layers.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$check" "$root/src" >/dev/null

expect_breach() {  # FILE LINE WHAT
  rm -rf "$work/src"; cp -r "$root/src" "$work/src"
  echo "$2" >>"$work/src/$1"
  if "$check" "$work/src" >/dev/null 2>&1; then
    echo "FAIL: not caught: $3"; exit 1
  fi
  echo "caught: $3"
}
expect_breach components/FadeWorks.cpp '#include "viewer/MainWindow.h"' "a component including a window"
expect_breach platform/graphics/Bitmap.cpp '#include "components/Gauges.h"' "the platform including a component"
expect_breach windowparts/WindowParts.cpp '#include "../navigation/FileWindow.h"' "window parts including a window, by a relative path"
expect_breach viewer/MainWindowMarks.cpp '#include "platform/controls/KeyMap.h"' "a window including a Qt-carrying header"
expect_breach platform/controls/Shape.h '#include "platform/controls/ControlBridge.h"' "a platform header including a Qt-carrying header"
expect_breach imageops/TransformationsWindow.cpp '#include <QImage>' "Qt outside the platform"
