#!/usr/bin/env bash
# Keeps the layering one way, by folder:
#   platform <- components <- windowparts <- viewer, imageops, navigation,
#   appearance <- Program and main (src/ itself).
# The four window folders may use one another. Qt stays inside src/platform,
# and the platform headers that carry Qt types are included only by the
# platform's own sources.
# Usage: scripts/check-layers.sh [SOURCE_ROOT]   (default: the project's src/)
set -euo pipefail
cd "$(dirname "$0")/.."
src=${1:-src}
fail=0

# The rank of a path below $src: a file may include only files of its rank or lower.
rank() {
  case "$1" in
    platform/*) echo 0 ;;
    components/*) echo 1 ;;
    windowparts/*) echo 2 ;;
    viewer/* | imageops/* | navigation/* | appearance/*) echo 3 ;;
    */*) echo 9 ;;  # a folder the layering does not know yet
    *) echo 4 ;;
  esac
}

while IFS= read -r file; do
  rel=${file#"$src"/}
  own=$(rank "$rel")
  if [ "$own" = 9 ]; then
    echo "check-layers: $file lies in a folder outside the layering" >&2; fail=1; continue
  fi
  while IFS= read -r line; do
    target=$(sed -E 's/^[0-9]+:\s*#\s*include\s*"([^"]+)".*/\1/' <<<"$line")
    # Resolve the include as the compiler would: beside the file, then from src/.
    if [ -e "$(dirname "$file")/$target" ]; then
      resolved=$(realpath -m --relative-to="$src" "$(dirname "$file")/$target")
    elif [ -e "$src/$target" ]; then
      resolved=$(realpath -m --relative-to="$src" "$src/$target")
    else
      continue  # not ours (a system or third-party header)
    fi
    theirs=$(rank "$resolved")
    if [ "$theirs" -gt "$own" ]; then
      echo "check-layers: $file:${line%%:*} includes $resolved, a higher layer" >&2; fail=1
    fi
  done < <(grep -nE '^\s*#\s*include\s*"' "$file" || true)
done < <(find "$src" -type f \( -name '*.cpp' -o -name '*.h' \) | sort)

if grep -rnE '^\s*#\s*include\s*<Q' "$src" --include='*.cpp' --include='*.h' | grep -v "^$src/platform/"; then
  echo "check-layers: Qt headers outside $src/platform" >&2; fail=1
fi

# A platform header that includes Qt carries Qt types: only platform sources may include it.
while IFS= read -r header; do
  name=$(basename "$header")
  if grep -rnE "^\s*#\s*include\s*\"([^\"]*/)?$name\"" "$src" --include='*.cpp' --include='*.h' |
     grep -vE "^$src/platform/[^:]*\.cpp:"; then
    echo "check-layers: $name carries Qt types and is for $src/platform sources only" >&2; fail=1
  fi
done < <(grep -rlE '^\s*#\s*include\s*<Q' "$src/platform" --include='*.h' || true)

[ $fail -eq 0 ] && echo "check-layers: the layering holds"
exit $fail
