#!/usr/bin/env bash
# The test suite once more under AddressSanitizer and UndefinedBehaviorSanitizer, without the
# desktop program and the benchmarks (a smaller build than scripts/test.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVELLE_GUI=OFF \
      -DORVELLE_BENCH=OFF -DORVELLE_SANITIZE=address,undefined >/dev/null
cmake --build build-sanitize -j"$(nproc)"
ctest --test-dir build-sanitize --output-on-failure -j"$(nproc)"
