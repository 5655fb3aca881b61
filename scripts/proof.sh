# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash
# What scripts/test runs after the normal suite: the suite again under the sanitizers, then each
# fuzzer for a bounded time. Sourced after common.sh, not run.

ZORVIKTA_FUZZ_SECONDS=${ZORVIKTA_FUZZ_SECONDS:-30}

# Builds the `asan` preset (AddressSanitizer and UndefinedBehaviorSanitizer) and runs every test
# under it, the end-to-end one on X included; not the package test, which would install the
# sanitized build on the machine (the test preset leaves it out).
zorvikta_sanitized_suite() {
    zorvikta_build asan
    zorvikta_ctest asan
}

# Builds the fuzzers with clang and runs each on a scratch copy of its seed corpus; any finding
# fails, with the fuzzer's report and the input that caused it.
zorvikta_fuzz() {
    local build corpus name scratch
    build=$(zorvikta_preset_dir fuzz)
    zorvikta_build fuzz
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
