#!/usr/bin/env bash
# Checks the installation and the Debian package, from the default build:
#   - installs into a staging folder (DESTDIR) and validates the menu
#     entries, the AppStream metainfo and the icon sizes;
#   - builds the package, lists it, and has lintian check it (no error, no
#     warning); no maintainer script, nothing setuid;
#   - starts the staged korvalinx-demo as an ordinary user (nobody), from a
#     folder that user cannot write, under Xvfb, asks its window to close,
#     and checks that the settings landed in $HOME/.config/korvalinx.
# Run as root (the last step changes user with setpriv).
set -euo pipefail
cd "$(dirname "$0")/.."

[ "$(id -u)" -eq 0 ] || { echo "check-install: run as root" >&2; exit 1; }
fail() { echo "check-install: $*" >&2; exit 1; }

work=$(mktemp -d)
xvfb=""
demo=""
cleanup() {
  [ -n "$demo" ] && kill "$demo" 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
chmod 755 "$work"

echo "-- install into a staging folder"
stage="$work/stage"
DESTDIR="$stage" cmake --install build/default --prefix /usr >/dev/null
share="$stage/usr/share"
desktop-file-validate "$share"/applications/*.desktop
appstreamcli validate --no-net "$share"/metainfo/*.metainfo.xml >/dev/null ||
  appstreamcli validate --no-net "$share"/metainfo/*.metainfo.xml
for size in 32 48 64 128 256; do
  icon="$share/icons/hicolor/${size}x${size}/apps/korvalinx.png"
  [ "$(identify -format '%wx%h' "$icon")" = "${size}x${size}" ] || fail "$icon is not ${size}x${size}"
done
for program in "$stage"/usr/bin/*; do
  name=$(basename "$program")
  [ -f "$share/applications/$name.desktop" ] || fail "no menu entry for $name"
  [ -f "$share/man/man1/$name.1.gz" ] || fail "no manual page for $name"
done
[ -f "$share/doc/korvalinx/korvalinx.txt" ] || fail "no help text in the documentation folder"

echo "-- package"
deb=$(tools/build-package.sh)
[ -f "$deb" ] || fail "no package was built"
dpkg-deb -c "$deb"
dpkg-deb -e "$deb" "$work/control"
extra=$(ls "$work/control" | grep -v -x -e control -e md5sums || true)
[ -z "$extra" ] || fail "the package has maintainer scripts: $extra"
! dpkg-deb -c "$deb" | grep -E '^-..[sS]|^-.....[sS]' || fail "the package holds a setuid or setgid file"
if ! out=$(lintian --fail-on error,warning "$deb" 2>&1); then
  echo "$out" >&2
  fail "lintian reports errors or warnings"
fi

echo "-- the installed demo as an ordinary user"
home="$work/home"
mkdir "$home"
chown 65534:65534 "$home"
display=":$((100 + RANDOM % 100))"
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 50); do DISPLAY=$display xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

# The current folder is the staging root: root's, not writable for nobody.
# A network namespace of its own gives the demo its own instance marker (an
# abstract socket), so a demo already running elsewhere does not hold it back.
(cd "$stage" && exec unshare --net setpriv --reuid 65534 --regid 65534 --clear-groups \
  env -i HOME="$home" DISPLAY="$display" PATH=/usr/bin:/bin QT_QPA_PLATFORM=xcb \
  "$stage/usr/bin/korvalinx-demo" >"$work/demo.log" 2>&1) &
demo=$!

wid=""
for _ in $(seq 100); do
  wid=$(DISPLAY=$display xdotool search --onlyvisible --name '^Korvalinx$' 2>/dev/null | head -n 1 || true)
  [ -n "$wid" ] && break
  kill -0 "$demo" 2>/dev/null || { cat "$work/demo.log" >&2; fail "the demo ended before its window opened"; }
  sleep 0.1
done
[ -n "$wid" ] || fail "the demo's window did not open"
DISPLAY=$display tools/close-window.py "$wid"
for _ in $(seq 150); do
  kill -0 "$demo" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$demo" 2>/dev/null; then
  fail "the demo did not close on the window's close request"
fi
wait "$demo" || true
demo=""

settings="$home/.config/korvalinx/korvalinx-demo.ini"
[ -f "$settings" ] || { cat "$work/demo.log" >&2; fail "no settings in $settings"; }
keys=$(sed -n 's/=.*//p' "$settings" | tr '\n' ' ')
[ "$(head -n 1 "$settings")" = "[Controls]" ] &&
  [ "$keys" = "chkContinousSample txtDelay txtRate txtChannel txtInputPort txtSamplesize txtGranularity " ] ||
  fail "unexpected settings file: $(cat "$settings")"
[ "$(stat -c %U "$settings")" = nobody ] || fail "the settings file is not the user's"
[ ! -e "$stage/usr/bin/korvalinx-demo.ini" ] || fail "settings were written next to the installed program"
echo "-- settings in ~/.config/korvalinx/korvalinx-demo.ini: ok"
