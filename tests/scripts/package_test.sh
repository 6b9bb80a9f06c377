#!/usr/bin/env bash
# Builds the Debian package from a Release tree of its own (the tests' tree
# carries the sanitizers, which a package must not), checks it with lintian,
# appstreamcli and desktop-file-validate, unpacks it into a scratch folder and
# runs the program from there.
# Usage: tests/scripts/package_test.sh BUILD_DIR
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:?usage: package_test.sh BUILD_DIR}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "package_test: $*" >&2; exit 1; }

launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DLUMVEX_BUILD_TESTS=OFF "${launcher[@]}" >/dev/null
cmake --build "$build" -j"$(nproc)" >/dev/null
rm -f "$build"/lumvex_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
debs=("$build"/lumvex_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -s "${debs[0]}" ] || fail "cpack made no package"
deb=${debs[0]}
echo "package_test: built $(basename "$deb")"

# The package's Depends come from the libraries the program links, and name
# those it opens only for their pictures (HEIF/AVIF, JPEG XL) as well.
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libjpeg62-turbo libc6 libheif libjxl; do
  [[ $depends == *"$library"* ]] || fail "Depends lacks $library: $depends"
done

# lintian: no error and no warning; its notes (I:) are shown.
lintian --fail-on error,warning --display-info "$deb" | tee "$work/lintian.txt" ||
  fail "lintian found faults in the package"

dpkg-deb -x "$deb" "$work/root"
usr=$work/root/usr
id=$(sed -n 's:.*<id>\(.*\)</id>.*:\1:p' "$usr"/share/metainfo/*.metainfo.xml)
[ -n "$id" ] || fail "the metainfo names no id"
expected=(bin/lumvex "share/applications/$id.desktop" "share/metainfo/$id.metainfo.xml"
          share/man/man1/lumvex.1.gz share/doc/lumvex/README.md share/doc/lumvex/copyright
          share/doc/lumvex/changelog.gz)
for edge in 16 32 48 128 256; do expected+=("share/icons/hicolor/${edge}x${edge}/apps/lumvex.png"); done
for file in "${expected[@]}"; do [ -s "$usr/$file" ] || fail "the package lacks /usr/$file"; done

# Starting the program does not load them.
if readelf -d "$usr/bin/lumvex" | grep -E 'NEEDED.*(libheif|libjxl)'; then
  fail "the program links a library it should open on demand"
fi

appstreamcli validate --no-net "$usr/share/metainfo/$id.metainfo.xml" | tee "$work/appstream.txt" ||
  fail "the AppStream metadata is not valid"
if grep -E '^(E|W):' "$work/appstream.txt"; then fail "appstreamcli has errors or warnings"; fi
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$usr/share/metainfo/$id.metainfo.xml" ||
  fail "the metainfo does not launch the desktop entry $id.desktop"
desktop-file-validate "$usr/share/applications/$id.desktop"

# One version everywhere: the program's, the package's and the metainfo's.
version=$(dpkg-deb -f "$deb" Version)
[ "$("$usr/bin/lumvex" --version)" = "Lumvex $version" ] ||
  fail "lumvex --version prints \"$("$usr/bin/lumvex" --version)\", the package is $version"
grep -q "<release version=\"$version\"" "$usr/share/metainfo/$id.metainfo.xml" ||
  fail "the metainfo's release is not $version"

# The manual page has every option of --help and the sections written for it.
zcat "$usr/share/man/man1/lumvex.1.gz" | sed 's/\\-/-/g' >"$work/lumvex.1"
for option in $("$usr/bin/lumvex" --help | sed -n 's/^  \(--[a-z]*\).*/\1/p'); do
  grep -q -- "$option" "$work/lumvex.1" || fail "the manual page lacks $option"
done
for section in SYNOPSIS OPTIONS KEYS ENVIRONMENT FILES; do
  grep -q "^\.SH $section" "$work/lumvex.1" || fail "the manual page lacks the section $section"
done
echo "package_test: the package is complete and clean"
