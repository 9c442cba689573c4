#!/usr/bin/env bash
# Installs what is missing, builds and starts Ravelbox. Arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")"
source tools/setup.sh

ravelbox_install "${RAVELBOX_PACKAGES[@]}"
ravelbox_build build
exec build/ravelbox "$@"
