#!/usr/bin/env bash
# Builds Tobarin's Debian package and checks it on this machine, as root (or
# with sudo): validates the desktop entry and the metainfo, makes the package
# with `cpack -G DEB` in build-package/, installs it with apt-get, starts the
# installed program offscreen, checks that the desktop finds its entry, metainfo
# and icons, then purges the package and checks that nothing of it is left.
# Exits non-zero on the first failure.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build-package}
app_id=org.tobarin.Tobarin

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi

passed=0
pass() {
  echo "ok: $*"
  passed=$((passed + 1))
}
fail() {
  echo "FAILED: $*" >&2
  echo "check-package: $passed passed, 1 failed"
  exit 1
}
section() {
  echo
  echo "== $*"
}

program_pid=""
installed_here=0
scratch=$(mktemp -d)
cleanup() {
  if [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null; then
    kill "$program_pid" 2>/dev/null || true
  fi
  if [ "$installed_here" -eq 1 ]; then
    echo "Removing the package after the failure."
    DEBIAN_FRONTEND=noninteractive $sudo apt-get remove -y -q --purge tobarin >/dev/null 2>&1 || true
  fi
  rm -rf "$scratch"
}
trap cleanup EXIT

section "Tools"
# The build's own packages, and what checking and packaging need besides.
scripts/install-deps.sh desktop-file-utils appstream dpkg-dev file man-db

section "Desktop entry and metainfo"
desktop="data/$app_id.desktop"
metainfo="data/$app_id.metainfo.xml"
# Hints are advice (the entry is listed under two main categories on purpose);
# warnings and errors fail.
if ! desktop-file-validate "$desktop" >"$scratch/desktop.log" 2>&1; then
  cat "$scratch/desktop.log"
  fail "desktop-file-validate $desktop"
fi
cat "$scratch/desktop.log"
if grep -qE ': (warning|error):' "$scratch/desktop.log"; then
  fail "desktop-file-validate $desktop reports warnings"
fi
pass "desktop-file-validate $desktop"

if ! appstreamcli validate --no-net "$metainfo" >"$scratch/metainfo.log" 2>&1; then
  cat "$scratch/metainfo.log"
  fail "appstreamcli validate $metainfo"
fi
cat "$scratch/metainfo.log"
# Pedantic notes are advice (the id has capitals, as reverse-DNS ids do);
# infos, warnings and errors fail.
if grep -qE '^[[:space:]]*(E|W|I):' "$scratch/metainfo.log"; then
  fail "appstreamcli validate $metainfo reports issues"
fi
pass "appstreamcli validate --no-net $metainfo"

section "Build and package"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX=/usr -DTOBARIN_BUILD_TESTS=OFF
cmake --build "$build"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || fail "no project version in $build/CMakeCache.txt"
arch=$(dpkg --print-architecture)
deb="tobarin_${version}_${arch}.deb"

rm -rf "$build"/*.deb "$build/_CPack_Packages"
(cd "$build" && cpack -G DEB)
made=$(cd "$build" && ls -- *.deb)
[ "$made" = "$deb" ] || fail "cpack made '$made', expected $deb"
pass "cpack made $deb"

section "dpkg-deb -I $deb"
dpkg-deb -I "$build/$deb"
section "dpkg-deb -c $deb"
dpkg-deb -c "$build/$deb"

depends=$(dpkg-deb -f "$build/$deb" Depends)
echo
echo "Depends: $depends"
case "$depends" in
  *libqt6widgets6*) pass "dpkg-shlibdeps found the library dependencies" ;;
  *) fail "the package does not depend on the Qt Widgets library" ;;
esac

section "Install"
if dpkg-query -W -f='${Status}' tobarin 2>/dev/null | grep -q "install ok installed"; then
  echo "Removing the tobarin installed before, to install this build afresh."
  DEBIAN_FRONTEND=noninteractive $sudo apt-get remove -y -q --purge tobarin
fi
installed_here=1
(cd "$build" && DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q "./$deb")
dpkg-query -W -f='${Status} ${Version}\n' tobarin | grep -q "^install ok installed $version\$" ||
  fail "dpkg does not list tobarin $version as installed"
pass "apt-get installed $deb"

section "The installed program"
[ -x /usr/bin/tobarin ] || fail "/usr/bin/tobarin is missing"
[ "$(command -v tobarin)" = /usr/bin/tobarin ] || fail "tobarin on PATH is $(command -v tobarin)"
if ldd /usr/bin/tobarin | grep -q "not found"; then
  ldd /usr/bin/tobarin
  fail "/usr/bin/tobarin misses libraries"
fi
# The window's module, which the program loads when it opens the window, and
# the print module beside it, which the window loads when a sheet is printed.
for name in window print; do
  module=$(dpkg-query -L tobarin | grep "/tobarin/tobarin-$name\.so$") ||
    fail "the package installs no $name module"
  if ldd "$module" | grep -q "not found"; then
    ldd "$module"
    fail "$module misses libraries"
  fi
  pass "the $name module $module finds its libraries"
done
runtime="$scratch/runtime"
mkdir -m 700 "$runtime"
(cd / && QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$runtime" \
  exec /usr/bin/tobarin >"$scratch/stdout" 2>"$scratch/stderr") &
program_pid=$!
sleep 2
if ! kill -0 "$program_pid" 2>/dev/null; then
  status=0
  wait "$program_pid" || status=$?
  cat "$scratch/stderr" >&2
  fail "/usr/bin/tobarin ended within two seconds (exit status $status)"
fi
kill "$program_pid"
wait "$program_pid" 2>/dev/null || true
program_pid=""
if [ -s "$scratch/stderr" ]; then
  echo "The program wrote to stderr:"
  cat "$scratch/stderr"
fi
if grep -qiE 'error|fatal|fail|abort|cannot|could not|unable|not found|segmentation|undefined symbol' \
  "$scratch/stderr"; then
  fail "/usr/bin/tobarin reported an error on stderr"
fi
pass "/usr/bin/tobarin runs offscreen for two seconds without an error"

section "Desktop integration"
expected_files=(
  "/usr/share/applications/$app_id.desktop"
  "/usr/share/metainfo/$app_id.metainfo.xml"
  "/usr/share/icons/hicolor/32x32/apps/$app_id.png"
  "/usr/share/icons/hicolor/48x48/apps/$app_id.png"
  "/usr/share/icons/hicolor/64x64/apps/$app_id.png"
  "/usr/share/icons/hicolor/128x128/apps/$app_id.png"
  "/usr/share/icons/hicolor/256x256/apps/$app_id.png"
  "/usr/share/icons/hicolor/scalable/apps/$app_id.svg"
  "/usr/share/man/man1/tobarin.1.gz"
  "/usr/share/doc/tobarin/copyright"
  "/usr/share/doc/tobarin/changelog.gz"
)
# Minimal images tell dpkg to leave out manual pages and documentation
# (path-exclude in /etc/dpkg/dpkg.cfg.d); such files are not expected there.
dpkg_leaves_out() {
  local path=$1 rule left_out=1
  while read -r rule; do
    # The rules are glob patterns, matched as such.
    # shellcheck disable=SC2053
    case "$rule" in
      path-exclude*) [[ $path == ${rule#path-exclude?} ]] && left_out=0 ;;
      path-include*) [[ $path == ${rule#path-include?} ]] && left_out=1 ;;
    esac
  done < <(cat /etc/dpkg/dpkg.cfg /etc/dpkg/dpkg.cfg.d/* 2>/dev/null | grep -E '^path-(ex|in)clude')
  return $left_out
}
man_page=/usr/share/man/man1/tobarin.1.gz
for file in "${expected_files[@]}"; do
  if dpkg_leaves_out "$file"; then
    echo "dpkg is set to leave out $file: not checked."
    continue
  fi
  [ -f "$file" ] || fail "$file is missing"
done
pass "desktop entry, metainfo, icons, manual page and copyright are in place"

desktop-file-validate /usr/share/applications/$app_id.desktop ||
  fail "the installed desktop entry does not validate"
appstreamcli validate --no-net /usr/share/metainfo/$app_id.metainfo.xml >/dev/null ||
  fail "the installed metainfo does not validate"
pass "the installed desktop entry and metainfo validate"

icon=$(sed -n 's/^Icon=//p' /usr/share/applications/$app_id.desktop)
exec_line=$(sed -n 's/^Exec=//p' /usr/share/applications/$app_id.desktop)
[ -f "/usr/share/icons/hicolor/scalable/apps/$icon.svg" ] ||
  fail "the desktop entry's icon $icon is not in the hicolor theme"
[ "$(command -v "${exec_line%% *}")" = /usr/bin/tobarin ] ||
  fail "the desktop entry runs '$exec_line', which is not /usr/bin/tobarin"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" \
  /usr/share/metainfo/$app_id.metainfo.xml || fail "the metainfo does not launch $app_id.desktop"
pass "the entry's Exec and Icon and the metainfo's launchable resolve"

if ! dpkg_leaves_out "$man_page"; then
  [ "$(man -w tobarin)" = "$man_page" ] || fail "man does not find tobarin(1)"
  man --warnings -l "$man_page" 2>"$scratch/man.log" >/dev/null ||
    fail "man cannot render tobarin(1)"
  if [ -s "$scratch/man.log" ]; then
    cat "$scratch/man.log"
    fail "tobarin(1) renders with warnings"
  fi
  pass "man finds tobarin(1), and it renders without warnings"
fi

# The caches are updated by dpkg triggers where their tools are installed.
icon_cache=/usr/share/icons/hicolor/icon-theme.cache
if command -v gtk-update-icon-cache >/dev/null && [ -f "$icon_cache" ]; then
  grep -q "$app_id" "$icon_cache" || fail "the hicolor icon cache does not list $app_id"
  pass "the hicolor icon cache lists $app_id"
else
  echo "No hicolor icon cache (gtk-update-icon-cache is not installed): the icons are found without it."
fi
if command -v update-desktop-database >/dev/null; then
  grep -s "$app_id.desktop" /usr/share/applications/mimeinfo.cache ||
    echo "update-desktop-database is installed; the entry declares no MIME types, so mimeinfo.cache does not list it."
else
  echo "update-desktop-database is not installed."
fi

section "Remove"
dpkg-query -L tobarin >"$scratch/listed"
files=()
while IFS= read -r path; do
  if [ -f "$path" ] || [ -L "$path" ]; then
    files+=("$path")
  fi
done <"$scratch/listed"
echo "The package installed ${#files[@]} files."
[ "${#files[@]}" -gt 0 ] || fail "dpkg lists no files of tobarin"
DEBIAN_FRONTEND=noninteractive $sudo apt-get remove -y -q --purge tobarin
installed_here=0
if dpkg-query -W -f='${Status}' tobarin 2>/dev/null | grep -q "installed"; then
  fail "dpkg still lists tobarin after the purge"
fi
left=0
for path in "${files[@]}"; do
  if [ -e "$path" ] || [ -L "$path" ]; then
    echo "left behind: $path" >&2
    left=$((left + 1))
  fi
done
[ "$left" -eq 0 ] || fail "$left files of the package are left after the purge"
[ ! -e /usr/share/doc/tobarin ] || fail "/usr/share/doc/tobarin is left after the purge"
if [ -f "$icon_cache" ] && grep -q "$app_id" "$icon_cache"; then
  fail "the hicolor icon cache still lists $app_id after the purge"
fi
pass "apt-get purged tobarin and every file it installed is gone"

echo
echo "check-package: $passed passed, 0 failed"
