#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT
#
# Installs what is missing, builds and starts Ravelbox. Arguments go to the
# program, so Qt's own options such as -platform and -style work.
# ./run.sh --web [PORT] builds the web version instead (Qt for the web first,
# once per machine) and serves it with nginx on 127.0.0.1, port 8000 unless
# given, as the site's own hosting/nginx.conf says.
set -euo pipefail
cd "$(dirname "$0")"
source tools/setup.sh

if [ "${1:-}" = --web ]; then
    port=${2:-8000}
    ravelbox_install "${RAVELBOX_WEB_PACKAGES[@]}"
    tools/build-wasm-qt.sh >/dev/null
    ravelbox_build build-web --preset web -DBUILD_TESTING=OFF
    echo "Ravelbox for the web: open http://127.0.0.1:$port/ in a browser (Ctrl+C stops serving)."
    exec tools/serve-web.sh build-web/site "$port" build-web/nginx
fi

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
