#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the application icon's PNG sizes from its SVG. Run it after changing the SVG and commit
# the PNGs, so that building Kestrune needs no image tools.
# Needs: rsvg-convert (scripts/install-deps.sh librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/icons"
for size in 16 24 32 48 64 128 256; do
    mkdir -p "${size}x${size}"
    rsvg-convert --width "$size" --height "$size" org.kestrune.Kestrune.svg \
        --output "${size}x${size}/org.kestrune.Kestrune.png"
done
# The Windows icon (the programs' resource, the installer): all sizes in one .ico file.
# Needs: ImageMagick's convert (scripts/install-deps.sh imagemagick).
convert $(for size in 16 24 32 48 64 128 256; do echo "${size}x${size}/org.kestrune.Kestrune.png"; done) \
    ../windows/kestrune.ico
