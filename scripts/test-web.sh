#!/usr/bin/env bash
# Builds the browser page (scripts/build-web.sh) and runs its tests in Debian's
# Chromium, headless, driven by playwright-core (tests/web, node --test): the
# window through its data-control surface, the entry fields, the site offline
# and installable, and a soak of random actions checked against the exact
# oracle. TOBARIN_WEB_SOAK_SEED and TOBARIN_WEB_SOAK_ACTIONS pick the soak.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build-web.sh
scripts/install-deps.sh --only chromium g++ libfmt-dev libfast-float-dev
command -v npm >/dev/null || scripts/install-deps.sh --only npm
build=${WEB_BUILD_DIR:-build-web}

# The oracle of tests/oracle as a small program the soak test asks.
g++ -std=c++20 -O2 -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Werror \
  -DFMT_HEADER_ONLY=1 -I. -o "$build/oracle_cli" tests/web/oracle_cli.cpp \
  engine/conversions.cpp engine/currency.cpp engine/runtime_error.cpp

# playwright-core as locked; it must not fetch a browser of its own.
export PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1
(cd tests/web && npm ci --no-audit --no-fund --loglevel=error)
cd tests/web
# One test file at a time where node can be told so (20 and newer): each runs
# a browser of its own, and two cores are soon shared out.
concurrency=()
if node -e 'process.exit(Number(process.versions.node.split(".")[0]) >= 20 ? 0 : 1)'; then
  concurrency=(--test-concurrency=1)
fi
WEB_BUILD_DIR="$build" node --test "${concurrency[@]}" ./*.test.js
