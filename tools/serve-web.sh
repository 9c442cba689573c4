#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT
#
# Serves a built web folder with Debian's nginx and the server block the
# folder ships (hosting/nginx.conf), on 127.0.0.1 only, until stopped
# (Ctrl+C). Runs as whoever starts it, on the port given, with its
# configuration, pid file, temporary folders and logs in RUN-FOLDER: no
# system service is started or changed. --check tests the configuration
# instead, modules included, and serves nothing.
# Usage: tools/serve-web.sh [--check] SITE-FOLDER PORT RUN-FOLDER
set -euo pipefail
check=()
[ "${1:-}" = --check ] && check=(-t -q) && shift
[ $# -eq 3 ] || { echo "Usage: $0 [--check] SITE-FOLDER PORT RUN-FOLDER" >&2; exit 2; }
site=$(realpath "$1") port=$2
[ -f "$site/hosting/nginx.conf" ] || { echo "$site holds no hosting/nginx.conf: build the web version first" >&2; exit 1; }
mkdir -p "$3/logs" "$3/temp"
run=$(realpath "$3")
cat >"$run/nginx.conf" <<EOF
# Written by tools/serve-web.sh: a local server around the site's own block.
daemon off;
# One process, as whoever started it: nothing to switch users for.
master_process off;
pid $run/nginx.pid;
error_log stderr warn;
load_module /usr/lib/nginx/modules/ngx_http_brotli_static_module.so;
events {
    worker_connections 256;
}
http {
    include /etc/nginx/mime.types;
    default_type application/octet-stream;
    charset utf-8;
    access_log $run/logs/access.log;
    client_body_temp_path $run/temp/body;
    proxy_temp_path $run/temp/proxy;
    fastcgi_temp_path $run/temp/fastcgi;
    uwsgi_temp_path $run/temp/uwsgi;
    scgi_temp_path $run/temp/scgi;
    server {
        listen 127.0.0.1:$port;
        root $site;
        include $site/hosting/nginx.conf;
    }
}
EOF
exec /usr/sbin/nginx -p "$run" -e stderr -c "$run/nginx.conf" "${check[@]}"
