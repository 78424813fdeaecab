#!/usr/bin/env bash
# Makes the README's screenshots of the page (docs/web-phone.png at 360×640,
# docs/web-desktop.png at 1366×768) in headless Chromium after 1 2/3 + 3/4.
# Other viewports: scripts/screenshot-web.sh 768x1024=/tmp/tablet.png
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build-web.sh >/dev/null
scripts/install-deps.sh --only chromium
export PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1
(cd tests/web && npm ci --no-audit --no-fund --loglevel=error)
if [ $# -eq 0 ]; then
  set -- 360x640@2=docs/web-phone.png 1366x768=docs/web-desktop.png
fi
node scripts/screenshot-web.mjs "$@"
