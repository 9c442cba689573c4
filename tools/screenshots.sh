#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT
#
# Writes mainwindow.png, fail.png and success.png of the real widgets into DIR.
# Uses the display when there is one (xvfb-run gives one with desktop-like
# fonts); otherwise renders off screen. Usage: tools/screenshots.sh DIR
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/setup.sh
ravelbox_has_display || export QT_QPA_PLATFORM=offscreen
exec build/tools/ravelbox-screenshots "$@"
