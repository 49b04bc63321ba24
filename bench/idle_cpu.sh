#!/usr/bin/env bash
# Processor use of the running program on its empty screen, in cores (1.0 =
# one core busy all the time), under SDL's offscreen driver and under Xvfb.
# The program runs with a fresh user folder, so "v_vsync" has its default 1;
# "--vsync 0" writes "v_vsync 0" into the configuration first, which shows
# the unpaced loop for comparison.
#
#   bench/idle_cpu.sh [--vsync 0|1] [--seconds N] [program]
#
# The program defaults to build/release/tangrove (make build). Each run
# waits a few seconds for start-up, then counts the program's processor time
# (every thread, the rasterizer's included) over the measured seconds. Under
# Xvfb the X server's own time is shown beside it.
set -euo pipefail

vsync=""
seconds=10
warmup=3
program=""
while [ $# -gt 0 ]; do
  case "$1" in
    --vsync) vsync="$2"; shift 2 ;;
    --seconds) seconds="$2"; shift 2 ;;
    *) program="$1"; shift ;;
  esac
done
here="$(cd "$(dirname "$0")/.." && pwd)"
program="${program:-$here/build/release/tangrove}"
program="$(realpath "$program")"
if [ ! -x "$program" ]; then
  echo "idle_cpu: no program at $program (run make build first)" >&2
  exit 1
fi
ticks=$(getconf CLK_TCK)

# utime + stime of a process, in clock ticks.
cpu_ticks() {
  # The command name (field 2) may hold blanks: cut after its closing bracket.
  local stat
  stat=$(cat "/proc/$1/stat")
  stat=${stat##*) }
  set -- $stat
  echo $(( ${12} + ${13} ))
}

# Asks the program to end; after five seconds it is killed.
stop() {
  kill "$1" 2>/dev/null || return 0
  for _ in $(seq 50); do
    kill -0 "$1" 2>/dev/null || return 0
    sleep 0.1
  done
  kill -9 "$1" 2>/dev/null || true
}

# Runs the program with the given launcher until it has been measured; prints
# "cores" for the program and, when a process name is given, for that one.
measure() {
  local label="$1" server_name="$2"
  shift 2
  local home
  home=$(mktemp -d)
  local user="$home/data/Quobin Games/Tangrove"
  mkdir -p "$user" "$home/config"
  if [ -n "$vsync" ]; then
    printf 'v_vsync %s\r\n' "$vsync" > "$user/Tangrove.ini"
  fi

  XDG_DATA_HOME="$home/data" XDG_CONFIG_HOME="$home/config" SDL_AUDIODRIVER=dummy \
    "$@" "$program" > "$home/out.txt" 2>&1 &
  local launcher=$!
  sleep "$warmup"

  # The program is the launcher itself or a descendant of it.
  local pid="" server=""
  for candidate in $launcher $(pgrep -P "$launcher" || true) \
                   $(for c in $(pgrep -P "$launcher" || true); do pgrep -P "$c" || true; done); do
    local name
    name=$(cat "/proc/$candidate/comm" 2>/dev/null || true)
    [ "$name" = "tangrove" ] && pid=$candidate
    [ -n "$server_name" ] && [ "$name" = "$server_name" ] && server=$candidate
  done
  if [ -z "$pid" ]; then
    echo "$label: the program is not running; its output:" >&2
    cat "$home/out.txt" >&2
    kill "$launcher" 2>/dev/null || true
    wait "$launcher" 2>/dev/null || true
    rm -rf "$home"
    return 1
  fi

  local p0 s0=0 p1 s1=0 t0 t1
  t0=$(date +%s.%N)
  p0=$(cpu_ticks "$pid")
  [ -n "$server" ] && s0=$(cpu_ticks "$server")
  sleep "$seconds"
  t1=$(date +%s.%N)
  p1=$(cpu_ticks "$pid")
  [ -n "$server" ] && s1=$(cpu_ticks "$server")

  stop "$pid"
  wait "$launcher" 2>/dev/null || true
  rm -rf "$home"

  local line
  line=$(awk -v p=$((p1 - p0)) -v s=$((s1 - s0)) -v t0="$t0" -v t1="$t1" -v hz="$ticks" \
             -v server="$server" 'BEGIN {
    wall = t1 - t0
    printf "%.3f cores", p / hz / wall
    if (server != "") printf " (X server %.3f cores)", s / hz / wall
  }')
  echo "$label: tangrove $line over ${seconds} s, v_vsync ${vsync:-1 (default)}"
}

measure "offscreen" "" env SDL_VIDEODRIVER=offscreen
if command -v xvfb-run > /dev/null; then
  measure "Xvfb 1024x768" "Xvfb" env SDL_VIDEODRIVER=x11 \
    xvfb-run -a -s "-screen 0 1024x768x24" --
else
  echo "Xvfb: xvfb-run missing (scripts/install-deps installs it)"
fi
