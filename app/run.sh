#!/bin/sh
# What `make run` starts: the program when there is a display, otherwise the roots of a bundled
# sample equation through the console companion.
# Usage: app/run.sh BUILD_DIR [PROJECT.zvn]
set -eu

build=${1:-build}
root=$(cd "$(dirname "$0")/.." && pwd)
sample=${2:-$root/examples/sample1.zvn}

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec "$build/app/zerovane"
fi

echo "No display (DISPLAY and WAYLAND_DISPLAY are unset); solving $(basename "$sample") with zerovane-cli instead."

# Field n of a project file: line n without its quotes and its carriage return.
field() {
    sed -n "${1}p" "$sample" | tr -d '"\r'
}
# Numbers are stored as " .5" or "-.5"; typed numbers start with a digit.
number() {
    field "$1" | tr -d " " | sed 's/^\./0./; s/^-\./-0./'
}
function=$(field 2)
a=$(number 3)
b=$(number 4)

echo "$function = 0 on [$a; $b]:"
exec "$build/app/zerovane-cli" roots "$function" "$a" "$b"
