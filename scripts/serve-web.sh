#!/usr/bin/env bash
# Serves the site that scripts/build-web.sh built, at http://127.0.0.1:PORT/
# (8080 unless a port is given), to this machine only.
set -euo pipefail
cd "$(dirname "$0")/.."
port=${1:-8080}
dist=${WEB_BUILD_DIR:-build-web}/dist
if [ ! -f "$dist/index.html" ]; then
  echo "serve-web: $dist/index.html is missing; run scripts/build-web.sh first" >&2
  exit 1
fi
echo "Serving $dist at http://127.0.0.1:$port/"
exec /usr/bin/python3 -m http.server "$port" --bind 127.0.0.1 --directory "$dist"
