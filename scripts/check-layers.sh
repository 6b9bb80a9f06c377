#!/usr/bin/env bash
# Keeps the one-way layering: Qt only inside src/platform, components never
# include a window unit, the platform never includes a component.
set -euo pipefail
cd "$(dirname "$0")/.."
fail=0
if grep -rnE '#include\s*<Q' src --include='*.cpp' --include='*.h' | grep -v '^src/platform/'; then
  echo "check-layers: Qt headers outside src/platform" >&2; fail=1
fi
if grep -rnE '#include\s*"(\.\./)*Unit[0-9]' src/components src/platform; then
  echo "check-layers: a component or the platform includes a window unit" >&2; fail=1
fi
if grep -rnE '#include\s*"(\.\./)*components/' src/platform; then
  echo "check-layers: the platform includes a component" >&2; fail=1
fi
exit $fail
