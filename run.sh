#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT
#
# Installs what is missing, builds and starts Ravelbox. Arguments go to the
# program, so Qt's own options such as -platform and -style work.
set -euo pipefail
cd "$(dirname "$0")"
source tools/setup.sh

ravelbox_install "${RAVELBOX_PACKAGES[@]}"
ravelbox_build build

# Without any display Qt aborts with a platform-plugin error; say what to do instead.
if ! ravelbox_has_display "$@"; then
    cat >&2 <<'MSG'
Ravelbox is built (build/ravelbox), but no display was found to show it on.
To play, run ./run.sh from a desktop session, or over `ssh -X` from one.
To check that it starts on a machine without a screen: xvfb-run ./run.sh
MSG
    exit 1
fi
exec build/ravelbox "$@"
