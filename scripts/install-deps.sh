#!/usr/bin/env bash
# Installs what Lumvex needs to build and test, and only what is missing.
# Usage: scripts/install-deps.sh [--bench] [--fuzz] [--tools] [--desktop-bench]
set -euo pipefail

# fonts-liberation2: faces with the measures of the fonts the windows are
# designed in ("Courier New", "Times New Roman"), so that titles fit their bars.
# dosfstools, fusefat: a vfat camera card for the tests that rewrite files there.
# exiv2, lcms2, TurboJPEG and xcb: photo metadata, colour profiles, lossless
# turns and the screen's profile; exiftool and jpegtran make and check test photos.
# libpng-dev .. libjxl-dev: the picture kinds read through their own libraries (libheif
# and libjxl are opened on demand: binutils' readelf reads their SONAMEs); webp ..
# libjxl-tools: the formats' own tools, which the tests make their pictures with.
packages=(cmake g++ make pkg-config binutils qt6-base-dev libjpeg62-turbo-dev libgtest-dev libgmock-dev
          libturbojpeg0-dev libexiv2-dev liblcms2-dev libxcb1-dev libimage-exiftool-perl libjpeg-turbo-progs
          libbenchmark-dev fonts-dejavu-core fonts-liberation2 desktop-file-utils xdg-utils
          dosfstools fusefat libpng-dev libwebp-dev libtiff-dev libheif-dev libjxl-dev
          webp libtiff-tools libheif-examples libavif-bin libjxl-tools
          xvfb openbox xdotool x11-utils imagemagick  # the end-to-end tests
          qt6-wayland                                 # Wayland sessions (played in a test)
          help2man dpkg-dev file lintian appstream)   # the manual page and the Debian package
for arg in "$@"; do
  case "$arg" in
    --bench) packages+=(libjpeg-turbo-progs libgif-dev libvips-tools qt6-image-formats-plugins) ;;
    --fuzz)  packages+=(clang libclang-rt-14-dev) ;;
    --tools) packages+=(imagemagick giflib-tools) ;;
    --desktop-bench) packages+=(xvfb openbox x11-utils imagemagick qimgv feh gcc libx11-dev libxtst-dev) ;;
    *) echo "install-deps: unknown option $arg" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "install-deps: installing ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
