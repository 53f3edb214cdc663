#!/usr/bin/env bash
# Starts copies of the real-port program the ways an administrator or a user
# can, and checks what each runs as and what it loads:
#   a) a file-capable copy run by an ordinary user does not load a style
#      plugin planted through QT_PLUGIN_PATH and QT_STYLE_OVERRIDE; the same
#      copy without the capability does load it, so the plant works;
#   b) a copy started as root for a user recorded by sudo runs as that user;
#   c) a set-user-id root copy run by an ordinary user runs as that user.
# Where the tests run there is no parallel port and no direct port access, so
# each copy shows its refusal and waits: the process is looked at then, the
# message is dismissed, and the copy must end with status 0.
# Needs root (capabilities, set-user-id, other users); skipped otherwise.
#
# usage: privileged_start_test.sh KORVALINX PLANTED_STYLE_PLUGIN
set -uo pipefail

program=$1
plugin=$2
skip=77
user=65534 # nobody
caption="KORVALINX: Error setting IO permissions"

if [ "$(id -u)" -ne 0 ]; then
  echo "SKIP: needs root to set capabilities and start other users' processes"
  exit $skip
fi
for tool in Xvfb xdotool setcap setpriv findmnt; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is not installed"
    exit $skip
  fi
done

work=$(mktemp -d "${TMPDIR:-/tmp}/korvalinx-privilege.XXXXXX")
xvfb=
cleanup() {
  if [ -n "$xvfb" ]; then
    kill "$xvfb" 2>/dev/null
    wait "$xvfb" 2>/dev/null
  fi
  rm -rf "$work"
}
trap cleanup EXIT
chmod 755 "$work"
if findmnt -no OPTIONS --target "$work" | tr , '\n' | grep -qx nosuid; then
  echo "SKIP: $work lies on a file system mounted nosuid"
  exit $skip
fi

# A display of our own, open to every local user.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -ac 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 600); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
if ! [ -s "$work/display" ]; then
  echo "FAIL: Xvfb did not start"
  cat "$work/xvfb.log"
  exit 1
fi
display=":$(head -1 "$work/display")"

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# A copy of the program in a folder of its own. The name ends in random
# characters so that its instance name is its own.
copy_program() {
  local dir="$work/$1"
  mkdir -m 755 "$dir"
  local copy
  copy="$dir/korvalinx-$(od -An -N4 -tx4 /dev/urandom | tr -d ' \n').run"
  install -o root -g root -m 755 "$program" "$copy"
  echo "$copy"
}

# The refusal's window of process $1, once it shows; nothing when the process
# ended first or the window did not come within two minutes.
message_window() {
  local pid=$1 window
  for _ in $(seq 1200); do
    window=$(DISPLAY=$display xdotool search --all --pid "$pid" --name "$caption" 2>/dev/null | head -1)
    if [ -n "$window" ]; then
      echo "$window"
      return 0
    fi
    kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

# run LABEL COMMAND...: starts the command (which execs the copy, so its pid
# is the copy's), waits for the refusal, keeps the copy's ids, capabilities
# and no-new-privileges flag in $work/LABEL.status, dismisses the message and
# leaves the exit status in $work/LABEL.exit.
run() {
  local label=$1
  shift
  "$@" >"$work/$label.out" 2>&1 &
  local pid=$!
  local window
  if ! window=$(message_window "$pid"); then
    fail "$label: no refusal message shown"
    kill -9 "$pid" 2>/dev/null
    wait "$pid"
    echo "exit status $?; output:"
    cat "$work/$label.out"
    echo none >"$work/$label.exit"
    return
  fi
  grep -E '^(Uid|Gid|Groups|CapPrm|CapEff|NoNewPrivs):' "/proc/$pid/status" | tr -s '\t ' ' ' \
    >"$work/$label.status"
  for _ in $(seq 30); do
    DISPLAY=$display timeout 10 xdotool windowfocus --sync "$window" key Return 2>/dev/null
    for _ in $(seq 20); do
      kill -0 "$pid" 2>/dev/null || break 2
      sleep 0.1
    done
  done
  if kill -0 "$pid" 2>/dev/null; then
    fail "$label: still running after the message was dismissed"
    kill -9 "$pid"
  fi
  wait "$pid"
  echo $? >"$work/$label.exit"
}

# expect LABEL FIELD VALUE: a line of the copy's /proc status.
expect() {
  local line
  line=$(grep "^$2: " "$work/$1.status")
  [ "$line" = "$2: $3" ] || fail "$1: expected '$2: $3', found '${line:-nothing}'"
}

expect_exit_zero() {
  local status
  status=$(cat "$work/$1.exit")
  [ "$status" = 0 ] || fail "$1: exit status $status, expected 0"
}

# What an ordinary user's session hands the program, plus what sanitizer
# builds need to run a set-user-id program.
session=(DISPLAY="$display" HOME=/nonexistent LANG=C.UTF-8 ASAN_OPTIONS=detect_leaks=0)
as_user=(setpriv --reuid "$user" --regid "$user" --clear-groups --)
none="0000000000000000"

# a) The planted style plugin, in a folder the user owns.
mkdir -p "$work/plant/styles"
install -m 755 "$plugin" "$work/plant/styles/"
chown -R "$user:$user" "$work/plant"
marker="$work/plant/styles/$(basename "$plugin").loaded"
plant=(QT_PLUGIN_PATH="$work/plant" QT_STYLE_OVERRIDE=planted)

capable=$(copy_program capable)
setcap cap_sys_rawio+ep "$capable"
run capable env -i "${session[@]}" "${plant[@]}" "${as_user[@]}" "$capable"
[ -e "$marker" ] && fail "capable: the planted plugin was loaded"
expect capable Uid "$user $user $user $user"
expect capable CapPrm "$none"
expect capable CapEff "$none"
expect capable NoNewPrivs 1 # it knew it was privileged
expect_exit_zero capable

setcap -r "$capable"
run plain env -i "${session[@]}" "${plant[@]}" "${as_user[@]}" "$capable"
[ -e "$marker" ] || fail "plain: the planted plugin was not loaded, so the plant proves nothing"
expect plain NoNewPrivs 0
expect_exit_zero plain
rm -f "$marker"

# b) Root started through sudo for the user.
sudoed=$(copy_program sudo)
run sudo env -i "${session[@]}" HOME=/root USER=root SUDO_UID="$user" SUDO_GID="$user" \
  SUDO_USER=nobody SUDO_COMMAND="$sudoed" "$sudoed"
expect sudo Uid "$user $user $user $user"
expect sudo Gid "$user $user $user $user"
expect sudo CapPrm "$none"
expect sudo CapEff "$none"
expect sudo NoNewPrivs 1
expect_exit_zero sudo

# c) A set-user-id root copy run by the user.
setuid=$(copy_program setuid)
chmod 4755 "$setuid"
run setuid env -i "${session[@]}" "${as_user[@]}" "$setuid"
expect setuid Uid "$user $user $user $user"
expect setuid Gid "$user $user $user $user"
expect setuid CapEff "$none"
expect setuid NoNewPrivs 1
expect_exit_zero setuid

if [ "$failures" -ne 0 ]; then
  for status in "$work"/*.status; do
    echo "--- $(basename "$status")"
    cat "$status"
  done
  exit 1
fi
echo "privileged starts: all checks passed"
