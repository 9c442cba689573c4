#!/usr/bin/env bash
# Installs what is missing, builds and runs every test; non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"
source tools/setup.sh

ravelbox_install "${RAVELBOX_PACKAGES[@]}"
ravelbox_build build
(cd build && ctest --output-on-failure)
