#!/usr/bin/env bash
# Remakes src/doc/LiberationSansMetrics.h, the advance widths the blank's fit measure uses,
# from the Liberation Sans fonts (metric-compatible with Arial, the blank's font). Builds a
# small FreeType and HarfBuzz program for the purpose; installs what it needs when it is
# missing.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
scripts/deps.sh "${BUILD_PACKAGES[@]}" "${FONT_METRICS_PACKAGES[@]}"

fonts=/usr/share/fonts/truetype/liberation
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
g++ -std=c++20 -O1 -Wall -Wextra -Isrc $(pkg-config --cflags freetype2 harfbuzz) \
    scripts/font-metrics/MakeFontMetrics.cpp src/platform/Cp1251.cpp \
    $(pkg-config --libs freetype2 harfbuzz) -o "$work/MakeFontMetrics"
"$work/MakeFontMetrics" "$fonts/LiberationSans-Regular.ttf" "$fonts/LiberationSans-Bold.ttf" \
    > "$work/LiberationSansMetrics.h"
version=$(dpkg-query -W -f='${Version}' fonts-liberation)
sed -i "s/@VERSION@/$version/" "$work/LiberationSansMetrics.h"
clang-format --assume-filename=src/doc/LiberationSansMetrics.h <"$work/LiberationSansMetrics.h" \
    >src/doc/LiberationSansMetrics.h
echo "wrote src/doc/LiberationSansMetrics.h"
