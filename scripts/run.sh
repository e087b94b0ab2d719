#!/usr/bin/env bash
# Builds the command-line program and runs the main job on the bundled sample plan: import the
# drawing into a document, then the isovist at a point of the large room facing the doorway.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target orvelle-cli
cli=build/app/cli/orvelle-cli
mkdir -p build/examples
"$cli" import examples/gallery.dxf -o build/examples/gallery.ovx
echo
"$cli" isovist build/examples/gallery.ovx --at 12000,6000 --method radial
