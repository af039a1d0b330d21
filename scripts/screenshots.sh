#!/usr/bin/env bash
# Renders every window of the program, with typical values typed in, to
# docs/screenshots/<name>.png, headless (Qt's offscreen platform). Installs what is
# missing first (the build tools, Qt and the DejaVu fonts that draw the Cyrillic
# captions), then builds the renderer tools/screenshots.cpp with the "screenshots"
# preset. GAS_BUILD_DIR overrides the build folder (build/screenshots).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh

build_dir="${GAS_BUILD_DIR:-build/screenshots}"
cmake --preset screenshots -B "$build_dir"
cmake --build "$build_dir" --target gas-screenshots

export QT_QPA_PLATFORM=offscreen
# One pixel per pixel, whatever the machine's display settings say.
export QT_SCALE_FACTOR=1 QT_ENABLE_HIGHDPI_SCALING=0
# windows-*.png come from scripts/build-windows.sh (under Wine) and stay.
find docs/screenshots -maxdepth 1 -name '*.png' ! -name 'windows-*.png' -delete
"$build_dir/tools/gas-screenshots" docs/screenshots
# The first page of the report of the mode-1 run, as a picture for the README.
pdftoppm -png -r 70 -f 1 -l 1 -singlefile docs/screenshots/report.pdf docs/screenshots/report-page1
rm -f docs/screenshots/report.pdf
