#!/usr/bin/env bash
# Start-up time of the desktop program: starts it N times (default 10) under
# one Xvfb server, each run closing itself after its first frame, and reports
# the minimum, median and maximum of the milliseconds the program printed from
# its process start to the first frame on screen. Measure a Release build.
# Usage: bench/startup.sh [PROGRAM [N]]   (PROGRAM default: build/tessaform)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
program=$(realpath "${1:-$root/build/tessaform}")
runs=${2:-10}
[[ -x $program ]] || { echo "startup: no program at $program" >&2; exit 1; }
[[ $runs =~ ^[1-9][0-9]*$ ]] || { echo "startup: N must be a positive count" >&2; exit 1; }

work=$(mktemp -d)
# A 24-bit screen: Xvfb's default 8-bit one has no visual for OpenGL 3.3.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do
  [[ -s $work/display ]] && break
  kill -0 "$xvfb" 2>/dev/null || { cat "$work/xvfb.log" >&2; exit 1; }
  sleep 0.1
done
[[ -s $work/display ]] || { echo "startup: Xvfb did not start" >&2; exit 1; }
DISPLAY=:$(<"$work/display")
export DISPLAY

cd "$root/share"
times=()
for ((run = 0; run < runs; run++)); do
  output=$(TESSAFORM_EXIT_AFTER_FIRST_FRAME=1 "$program" 2>&1 >/dev/null) || {
    echo "startup: run $run failed: $output" >&2
    exit 1
  }
  ms=$(sed -n 's/^tessaform: first frame on screen \([0-9]*\) ms after the process started$/\1/p' \
    <<<"$output")
  [[ -n $ms ]] || { echo "startup: run $run printed no first-frame line: $output" >&2; exit 1; }
  times+=("$ms")
done

mapfile -t sorted < <(printf '%s\n' "${times[@]}" | sort -n)
middle=$((runs / 2))
if ((runs % 2)); then
  median=${sorted[middle]}
else
  median=$(((sorted[middle - 1] + sorted[middle] + 1) / 2))
fi
echo "runs (ms): ${times[*]}"
echo "startup: ${runs} runs, first frame after min ${sorted[0]} ms, median ${median} ms," \
  "max ${sorted[runs - 1]} ms"
