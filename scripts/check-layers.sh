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

# The rank of a path below $src, into $rank: a file may include only files of
# its rank or lower. (Functions set variables: the check runs over every include.)
rank_of() {
  case "$1" in
    platform/*) rank=0 ;;
    components/*) rank=1 ;;
    windowparts/*) rank=2 ;;
    viewer/* | imageops/* | navigation/* | appearance/*) rank=3 ;;
    */*) rank=9 ;;  # a folder the layering does not know yet
    *) rank=4 ;;
  esac
}

# Folds "a/b/../c" into "a/c", into $normal.
normalise() {
  local IFS=/ part out=()
  for part in $1; do
    case "$part" in
      "" | .) ;;
      ..) [ ${#out[@]} -gt 0 ] && unset 'out[${#out[@]}-1]' ;;
      *) out+=("$part") ;;
    esac
  done
  normal="${out[*]}"
}

while IFS= read -r match; do
  file=${match%%:*}
  rest=${match#*:}
  number=${rest%%:*}
  target=${rest#*\"}
  target=${target%%\"*}
  rel=${file#"$src"/}
  rank_of "$rel"
  own=$rank
  if [ "$own" = 9 ]; then
    echo "check-layers: $file lies in a folder outside the layering" >&2; fail=1; continue
  fi
  # Resolve the include as the compiler would: beside the file, then from src/.
  here=""
  case "$rel" in */*) here=${rel%/*} ;; esac
  if [ -e "$src/$here/$target" ]; then
    normalise "$here/$target"
  elif [ -e "$src/$target" ]; then
    normalise "$target"
  else
    continue  # not ours (a system or third-party header)
  fi
  rank_of "$normal"
  if [ "$rank" -gt "$own" ]; then
    echo "check-layers: $file:$number includes $normal, a higher layer" >&2; fail=1
  fi
done < <(grep -rnE '^\s*#\s*include\s*"' "$src" --include='*.cpp' --include='*.h' || true)

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
