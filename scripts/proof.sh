# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash
# What scripts/test runs after the normal suite: the suite again under the sanitizers, then each
# fuzzer for a bounded time. Sourced after common.sh, not run.

ZORVIKTA_ASAN_BUILD_DIR=${ZORVIKTA_ASAN_BUILD_DIR:-"$ZORVIKTA_ROOT/build-asan"}
ZORVIKTA_FUZZ_BUILD_DIR=${ZORVIKTA_FUZZ_BUILD_DIR:-"$ZORVIKTA_ROOT/build-fuzz"}
ZORVIKTA_FUZZ_SECONDS=${ZORVIKTA_FUZZ_SECONDS:-30}

# Builds the `asan` preset (AddressSanitizer and UndefinedBehaviorSanitizer) and runs every test
# under it, the end-to-end one on X included; not the package test, which would install the
# sanitized build on the machine.
zorvikta_sanitized_suite() {
    if [ ! -f "$ZORVIKTA_ASAN_BUILD_DIR/CMakeCache.txt" ]; then
        (cd "$ZORVIKTA_ROOT" && cmake --preset asan -B "$ZORVIKTA_ASAN_BUILD_DIR")
    fi
    cmake --build "$ZORVIKTA_ASAN_BUILD_DIR" --parallel
    LSAN_OPTIONS="suppressions=$ZORVIKTA_ROOT/scripts/lsan-suppressions.txt" \
        ctest --test-dir "$ZORVIKTA_ASAN_BUILD_DIR" --output-on-failure -E '^package$'
}

# Builds the fuzzers with clang and runs each on a scratch copy of its seed corpus; any finding
# fails, with the fuzzer's report and the input that caused it.
zorvikta_fuzz() {
    local build=$ZORVIKTA_FUZZ_BUILD_DIR corpus name scratch
    if [ ! -f "$build/CMakeCache.txt" ]; then
        cmake -S "$ZORVIKTA_ROOT" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
            -DCMAKE_CXX_COMPILER=clang++ -DZORVIKTA_WERROR=ON -DZORVIKTA_FUZZ=ON \
            -DBUILD_TESTING=OFF
    fi
    cmake --build "$build" --target zorvikta_fuzzers --parallel
    scratch=$(mktemp -d)
    for corpus in "$ZORVIKTA_ROOT"/fuzz/corpus/*/; do
        name=$(basename "$corpus")
        cp -r "$corpus" "$scratch/$name"
        if ! "$build/fuzz/fuzz_$name" -max_total_time="$ZORVIKTA_FUZZ_SECONDS" \
            -artifact_prefix="$scratch/$name-" "$scratch/$name" 2>"$scratch/$name.log"; then
            tail -n 40 "$scratch/$name.log" >&2
            echo "fuzz_$name found a fault; its input is kept in $scratch" >&2
            return 1
        fi
        echo "fuzz_$name: $(grep -o 'Done [0-9]* runs in [0-9]* second(s)' "$scratch/$name.log")"
    done
    rm -rf "$scratch"
}
