#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UBSan) and runs each in
# turn for a bounded time. A crash, a broken promise, a hang (an input running longer than
# its timeout), a leak or running out of the memory limit is a finding: the input is kept in
# build-fuzz/findings/ and the script fails at the end.
#
#   fuzz/run.sh [seconds-per-target] [target...]     (default: 60 seconds, every target)
set -euo pipefail
cd "$(dirname "$0")/.."
./.ci/install-deps fuzz

seconds=${1:-60}
shift || true
all=(engine projecttext numbers sitemap chmdata chmfile)
targets=("${all[@]}")
[ $# -gt 0 ] && targets=("$@")
out=build-fuzz
mkdir -p "$out/findings"

sources() {
    local help=(helpviewer/chmarchive.cpp helpviewer/chmreader.cpp helpviewer/chmsystem.cpp
        helpviewer/helpbook.cpp helpviewer/helptarget.cpp helpviewer/sitemap.cpp)
    case $1 in
    engine) echo engine/*.cpp ;;
    projecttext) echo shell/projecttext.cpp engine/*.cpp ;;
    numbers) echo graph/promptvalues.cpp shell/projecttext.cpp engine/*.cpp ;;
    sitemap) echo helpviewer/sitemap.cpp ;;
    chmdata | chmfile) echo "${help[@]}" -lchm ;;
    *) echo "unknown fuzz target: $1" >&2; return 1 ;;
    esac
}

# Per target: the longest input, and the time after which one input counts as a hang. The
# help file reader stops chmlib itself after 10 seconds, so its target allows more.
options() {
    case $1 in
    engine) echo -max_len=1024 -timeout=10 ;;
    projecttext) echo -max_len=4096 -timeout=10 ;;
    numbers) echo -max_len=256 -timeout=10 ;;
    sitemap) echo -max_len=8192 -timeout=10 ;;
    chmdata) echo -max_len=32768 -timeout=10 ;;
    chmfile) echo -max_len=65536 -timeout=30 ;;
    esac
}

# The help file reader forks for every input: a small quarantine keeps this process, and so
# each fork, small. chmlib asks for gigabytes on some damaged files; in the child that is
# contained damage, so such requests fail there (and libFuzzer's limit, which would take the
# child's request for a finding, is never reached).
sanitizer_options() {
    case $1 in
    chmfile) echo quarantine_size_mb=16:max_allocation_size_mb=1024:allocator_may_return_null=1 ;;
    *) echo "${ASAN_OPTIONS:-}" ;;
    esac
}

failed=()
for target in "${targets[@]}"; do
    binary=$out/${target}_fuzz
    read -r -a files <<<"$(sources "$target")"
    # Rebuilt when any source in the folders the targets take from is newer than the binary.
    if [ ! -e "$binary" ] || [ -n "$(find fuzz engine shell graph helpviewer -newer "$binary" \
        \( -name '*.cpp' -o -name '*.h' -o -name '*.txt' \) -print -quit)" ]; then
        echo "Building $target"
        clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined \
            -fno-sanitize-recover=undefined \
            -fsanitize-coverage-ignorelist=fuzz/coverage-ignorelist.txt \
            -I. "fuzz/${target}_fuzz.cpp" "${files[@]}" -o "$binary"
    fi
    mkdir -p "$out/corpus/$target"
    # The help file the build made is one more seed for the file reader.
    if [ "$target" = chmfile ] && [ -e build/app/Readme.chm ]; then
        cp build/app/Readme.chm "$out/corpus/$target/Readme.chm"
    fi
    dictionary=()
    [ -e "fuzz/$target.dict" ] && dictionary=(-dict="fuzz/$target.dict")
    echo "Fuzzing $target for $seconds s"
    # New inputs go to the first folder; the seeds in fuzz/corpus are only read.
    read -r -a limits <<<"$(options "$target")"
    if ! ASAN_OPTIONS=$(sanitizer_options "$target") "$binary" -max_total_time="$seconds" "${limits[@]}" -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$out/findings/$target-" "${dictionary[@]}" \
        "$out/corpus/$target" "fuzz/corpus/$target" 2>"$out/$target.log"; then
        failed+=("$target")
    fi
    grep -E '^stat::(number_of_executed_units|peak_rss_mb)|^(==[0-9]+==ERROR|SUMMARY)' \
        "$out/$target.log" || true
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "Findings in: ${failed[*]} (logs in $out/, inputs in $out/findings/)" >&2
    exit 1
fi
