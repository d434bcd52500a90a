#!/bin/sh
# What `make run` starts: the program when there is a display; without one, the program's batch
# export of a bundled sample: its graph as a JPEG picture and its roots as a results file,
# written beside a copy of the sample in the build folder.
# Usage: app/run.sh BUILD_DIR [PROJECT.zvn]
set -eu

build=${1:-build}
root=$(cd "$(dirname "$0")/.." && pwd)
sample=${2:-$root/examples/sample1.zvn}

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec "$build/app/zerovane"
fi

# A copy, so that the pictures never land among the bundled samples.
out="$(cd "$build" && pwd)/run"
mkdir -p "$out"
project="$out/$(basename "$sample")"
cp "$sample" "$project"

echo "No display (DISPLAY and WAYLAND_DISPLAY are unset): saving the graph of $(basename "$sample")"
echo "without one, as zerovane -x does."
if ! "$build/app/zerovane" -x "$project"; then
    echo "The batch export failed (the line above says why)." >&2
    exit 1
fi
echo
echo "Picture: $project.jpg"
echo "Results: $project.txt"
echo
tr -d '\r' <"$project.txt"
