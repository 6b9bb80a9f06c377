#!/usr/bin/env bash
# Installs a built tree into a temporary prefix, and once more through
# DESTDIR, and checks that everything a desktop expects is there.
# Usage: scripts/check-install.sh BUILD_DIR
set -euo pipefail
build=${1:?usage: check-install.sh BUILD_DIR}
# The reverse-DNS id the desktop entry and the AppStream metadata are named by.
metainfo=("$build"/*.metainfo.xml)
id=$(basename "${metainfo[0]}" .metainfo.xml)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

check_tree() {
  local root=$1
  local expected=(bin/lumvex "share/applications/$id.desktop" "share/metainfo/$id.metainfo.xml"
                  share/man/man1/lumvex.1.gz share/doc/lumvex/README.md share/doc/lumvex/copyright
                  share/doc/lumvex/changelog.gz)
  for edge in 16 32 48 128 256; do expected+=("share/icons/hicolor/${edge}x${edge}/apps/lumvex.png"); done
  for file in "${expected[@]}"; do
    if [ ! -s "$root/$file" ]; then
      echo "check-install: $root/$file is missing" >&2
      exit 1
    fi
  done
  [ -x "$root/bin/lumvex" ] || { echo "check-install: $root/bin/lumvex is not executable" >&2; exit 1; }
  if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$root/share/applications/$id.desktop"
  else
    echo "check-install: desktop-file-validate is not installed; the desktop entry is not validated"
  fi
}

cmake --install "$build" --prefix "$work/prefix" >/dev/null
check_tree "$work/prefix"
"$work/prefix/bin/lumvex" --version | grep -q '^Lumvex '

DESTDIR="$work/stage" cmake --install "$build" --prefix /opt/lumvex >/dev/null
check_tree "$work/stage/opt/lumvex"
echo "check-install: the install tree is complete"
