#!/usr/bin/env bash
# Makes the README's screenshots of the page (docs/web-phone.png at 360×640,
# docs/web-phone-390.png at 390×844, docs/web-desktop.png at 1366×768) in
# headless Chromium after 1 2/3 + 3/4 with its working shown.
# Other viewports: scripts/screenshot-web.sh 768x1024=/tmp/tablet.png
# Other engines: TOBARIN_BROWSER=firefox or webkit (on a private Xvfb display).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build-web.sh >/dev/null
scripts/install-deps.sh --only chromium firefox-esr webkit2gtk-driver xvfb xauth
export PUPPETEER_SKIP_DOWNLOAD=1
(cd tests/browsers && npm ci --no-audit --no-fund --loglevel=error)
if [ $# -eq 0 ]; then
  set -- 360x640@2=docs/web-phone.png 390x844@2=docs/web-phone-390.png \
    1366x768=docs/web-desktop.png
fi
run=(node scripts/screenshot-web.mjs "$@")
[ "${TOBARIN_BROWSER:-}" = webkit ] && run=(xvfb-run -a -s "-screen 0 2000x1400x24 -nolisten tcp" "${run[@]}")
"${run[@]}"
