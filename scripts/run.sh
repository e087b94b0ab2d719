#!/usr/bin/env bash
# Builds Orvelle and runs the main job on the bundled sample plan.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
echo "No runnable program is built yet: the command-line program arrives with the DXF import." >&2
