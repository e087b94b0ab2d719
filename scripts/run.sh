#!/usr/bin/env bash
# Builds Orvelle and runs the main job on the bundled sample plan: import the drawing into a
# document, then open it in the desktop program when a display is available; without one, the
# command-line program prints the isovist at a point of the large room facing the doorway.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target orvelle-cli
cli=build/app/cli/orvelle-cli
mkdir -p build/examples
"$cli" import examples/gallery.dxf -o build/examples/gallery.ovx
if [[ -n "${DISPLAY:-}" || -n "${WAYLAND_DISPLAY:-}" ]]; then
  cmake --build build -j"$(nproc)" --target orvelle
  echo "Starting orvelle on build/examples/gallery.ovx (click in the plan for an isovist)."
  exec build/app/shell/orvelle build/examples/gallery.ovx
fi
echo
echo "No display found (neither DISPLAY nor WAYLAND_DISPLAY is set): running the command-line demo instead of the desktop program." >&2
"$cli" isovist build/examples/gallery.ovx --at 12000,6000 --method radial
