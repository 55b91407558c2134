#!/usr/bin/env bash
# Remakes the committed PNG icons from the SVG after the SVG changed; the build itself
# needs no converter. Usage: packaging/make-icons.sh
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
scripts/deps.sh "${ICON_PACKAGES[@]}"

icons=packaging/data/icons
svg=$icons/scalable/org.example.Vantrel.svg
for size in 16 22 24 32 48 64 128 256; do
    mkdir -p "$icons/${size}x${size}"
    rsvg-convert --width "$size" --height "$size" \
        --output "$icons/${size}x${size}/org.example.Vantrel.png" "$svg"
done
