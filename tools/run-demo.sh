#!/usr/bin/env bash
# Builds korvalinx-demo and starts it. Without a display it runs the demo
# under Xvfb instead, lets it take and show a capture, saves a screenshot
# and prints the screenshot's path.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target korvalinx-demo >/dev/null
demo="$PWD/build/default/bin/korvalinx-demo"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  cd "$(dirname "$demo")"
  exec "$demo"
fi

# No display: a virtual one, and a screenshot of what the user would see.
out="$PWD/screenshots"
mkdir -p "$out"
shot="$out/korvalinx-demo.png"
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT

display=":$((90 + RANDOM % 100))"
Xvfb "$display" -screen 0 1400x900x24 -nolisten tcp >/dev/null 2>&1 &
export DISPLAY="$display"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

# A copy of the demo whose settings file has continuous sampling ticked, so
# that it captures at once, without the first-use question.
cp "$demo" "$work/korvalinx-demo"
cp build/default/bin/korvalinx.txt "$work/"
printf '[Controls]\nchkContinousSample=1\ntxtDelay=1000\ntxtRate=0\ntxtChannel=1\ntxtInputPort=378\ntxtSamplesize=4000\n' \
  >"$work/korvalinx-demo.ini"
(cd "$work" && QT_QPA_PLATFORM=xcb ./korvalinx-demo >/dev/null 2>&1) &

# Wait for the window and the end of the splash panel's calibration.
wid=""
for _ in $(seq 100); do
  wid=$(xdotool search --name '^Korvalinx$' 2>/dev/null | head -n 1 || true)
  [ -n "$wid" ] && break
  sleep 0.1
done
[ -n "$wid" ] || { echo "the demo did not open its window" >&2; exit 1; }
sleep 4.5

# Zoom out three times so that 800 samples fill the view.
eval "$(xdotool getwindowgeometry --shell "$wid")"
zoom_x=$((20 + 68 + 20))
menu=$((HEIGHT - 572))  # the client area keeps its designed 572 pixels
zoom_y=$((menu + HEIGHT - 150 + 40 + 16))
for _ in 1 2 3; do
  xdotool mousemove --window "$wid" "$zoom_x" "$zoom_y" click 1
  sleep 0.3
done
sleep 0.5
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$shot"
echo "$shot"
