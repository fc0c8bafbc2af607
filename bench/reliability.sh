#!/usr/bin/env bash
# Regenerates docs/RELIABILITY.md from a clean tree: runs every test, every
# fuzz target for a counted number of inputs, the fault tests of the serial
# line and of files, the corpus of malformed settings files, the soak (and a
# shorter soak under valgrind) and every test built with the sanitizers, then
# writes down the commit, what was tried, how much, what was skipped and what
# came out. Nothing in the document is written by hand.
#
#   make reliability      (or bench/reliability.sh)
#
# A tree with changes, staged or not, or with files git does not know is
# refused, since the figures would belong to no commit; ALLOW_DIRTY=1 runs it
# all the same and says so in the document.
#
# Settings (environment): BUILD_DIR, FUZZ_DIR, SANITIZE_DIR (build folders, as
# in the Makefile), JOBS (2), FUZZ_RUNS (inputs per fuzz target, 500000),
# SOAK_TRANSFERS (200), SOAK_CYCLES (1000), OUT (docs/RELIABILITY.md),
# ALLOW_DIRTY (0).
set -uo pipefail
cd "$(dirname "$0")/.."

BUILD_DIR=${BUILD_DIR:-build}
FUZZ_DIR=${FUZZ_DIR:-build-fuzz}
SANITIZE_DIR=${SANITIZE_DIR:-build-sanitize}
JOBS=${JOBS:-2}
FUZZ_RUNS=${FUZZ_RUNS:-500000}
SOAK_TRANSFERS=${SOAK_TRANSFERS:-200}
SOAK_CYCLES=${SOAK_CYCLES:-1000}
OUT=${OUT:-docs/RELIABILITY.md}
ALLOW_DIRTY=${ALLOW_DIRTY:-0}
export QT_QPA_PLATFORM=offscreen

say() { echo "== $*" >&2; }

# ---- The commit ----
if ! commit=$(git rev-parse --short=12 HEAD 2>/dev/null); then
    echo "reliability.sh: not in a git work tree; the figures would name no commit" >&2
    exit 2
fi
subject=$(git log -1 --format=%s HEAD)
changes=$(git status --porcelain --untracked-files=normal)
tree_state="a clean tree"
if [ -n "$changes" ]; then
    if [ "$ALLOW_DIRTY" != 1 ]; then
        echo "reliability.sh: the tree has changes; commit or stash them first (or ALLOW_DIRTY=1):" >&2
        echo "$changes" >&2
        exit 2
    fi
    tree_state="**a tree with local changes** ($(wc -l <<<"$changes") files differ from the commit)"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
note_failure() { failures=$((failures + 1)); }

# ---- Builds ----
# The Makefile is the one home of the build settings: the fuzz build comes
# from its test-fuzz target, with one input per target.
say "building ($BUILD_DIR, $FUZZ_DIR)"
make --no-print-directory build BUILD_DIR="$BUILD_DIR" JOBS="$JOBS" >"$work/build.log" 2>&1 ||
    { cat "$work/build.log" >&2; exit 1; }
make --no-print-directory test-fuzz FUZZ_DIR="$FUZZ_DIR" JOBS="$JOBS" FUZZ_RUNS=1 \
    >"$work/fuzz-build.log" 2>&1 || { cat "$work/fuzz-build.log" >&2; exit 1; }

# ---- Every test ----
say "every test ($BUILD_DIR)"
(cd "$BUILD_DIR" && ctest -j "$JOBS" --output-junit "$work/ctest.xml") >"$work/ctest.log" 2>&1 ||
    note_failure
tests_total=$(sed -n 's/.*tests passed, \([0-9]*\) tests\{0,1\} failed out of \([0-9]*\).*/\2/p' "$work/ctest.log")
tests_failed=$(sed -n 's/.*tests passed, \([0-9]*\) tests\{0,1\} failed out of .*/\1/p' "$work/ctest.log")
# Each skipped test with the reason it gave (GoogleTest's GTEST_SKIP message).
skipped_rows=""
while IFS= read -r name; do
    [ -z "$name" ] && continue
    reason=$(awk -v name="$name" '
        index($0, "<testcase name=\"" name "\"") { inside = 1 }
        inside && /Skipped|SKIPPED/ && match($0, /\.cpp:[0-9]+: Skipped/) { getline; print; exit }
        inside && /<\/testcase>/ { exit }' "$work/ctest.xml" | sed 's/^[[:space:]]*//')
    skipped_rows+="| $name | ${reason:-(no reason given)} |"$'\n'
done < <(sed -n 's/^[[:space:]]*[0-9]* - \(.*\) (Skipped)$/\1/p' "$work/ctest.log")
skipped_count=$(grep -c '(Skipped)$' "$work/ctest.log")

# ---- Fuzzing ----
fuzz_rows=""
for list in fuzz/*/CMakeLists.txt; do
    folder=$(dirname "$list")
    target=$(sed -n 's/^korvel_fuzz_target(\([^ ]*\) .*/\1/p' "$list")
    [ -n "$target" ] && [ -x "$FUZZ_DIR/bin/$target" ] || continue
    say "fuzzing $target for $FUZZ_RUNS inputs"
    seeds=$(find "$folder/corpus" -type f | wc -l)
    mkdir -p "$work/$target"
    start=$(date +%s%N)
    "$FUZZ_DIR/bin/$target" -runs="$FUZZ_RUNS" -max_len=65536 -print_final_stats=1 \
        -artifact_prefix="$work/$target/" "$work/$target" "$folder/corpus" \
        >"$work/$target.log" 2>&1
    status=$?
    seconds=$((($(date +%s%N) - start) / 1000000000))
    executed=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/$target.log")
    rss=$(sed -n 's/^stat::peak_rss_mb: *//p' "$work/$target.log")
    found=$(find "$work/$target" -maxdepth 1 -type f | wc -l)
    crashes=$(find "$work/$target" -maxdepth 1 -name 'crash-*' -o -maxdepth 1 -name 'leak-*' \
        -o -maxdepth 1 -name 'timeout-*' -o -maxdepth 1 -name 'oom-*' | wc -l)
    if [ "$status" -eq 0 ] && [ "$crashes" -eq 0 ]; then outcome="no crash, leak, hang or failed check"
    else outcome="**FAILED** (exit $status, $crashes inputs kept)"; note_failure; fi
    fuzz_rows+="| \`$target\` ($folder) | $seeds | ${executed:-?} | $found | $seconds s | ${rss:-?} MB | $outcome |"$'\n'
done

# ---- Fault tests ----
say "serial-line faults"
"$BUILD_DIR/bin/hardening_serial_faults_tests" >"$work/serial.log" 2>&1 || note_failure
serial_rows=""
while IFS= read -r line; do
    case=$(sed -n 's/^\(PASS\|FAIL!\) *: SerialFaultsTest::faultThenRecovery(\(.*\)).*/\1|\2/p' <<<"$line")
    [ -z "$case" ] && continue
    result=${case%%|*}
    name=${case#*|}
    message=$(grep -F "QINFO  : SerialFaultsTest::faultThenRecovery($name)" "$work/serial.log" |
        sed 's/^QINFO  : [^)]*) //' | head -1)
    [ "$result" = PASS ] && result="passed" || result="**failed**"
    serial_rows+="| $name | $result | ${message//|/\\|} |"$'\n'
done <"$work/serial.log"
serial_total=$(sed -n 's/^Totals: \([0-9]*\) passed, \([0-9]*\) failed, \([0-9]*\) skipped.*/\1 passed, \2 failed, \3 skipped/p' "$work/serial.log")

say "file faults and the corpus"
"$BUILD_DIR/bin/hardening_file_faults_tests" >"$work/files.log" 2>&1 || note_failure
count() { grep -c "$1" "$work/files.log"; }
corpus_files=$(find tests/data/settingsfile/corpus -type f | wc -l)
corpus_passed=$(grep -c '^\[       OK \] SettingsFiles/Corpus\.' "$work/files.log")
corpus_failed=$(grep -c '^\[  FAILED  \] SettingsFiles/Corpus\..*ms)' "$work/files.log")
corpus_messages=$(grep -v '^#' tests/data/settingsfile/expected.txt | awk -F'\t' 'NF == 4 && $4 != "-"' | wc -l)
save_rows=""
for test in AFullDiskKeepsTheOldFile AReadOnlyDiskKeepsTheOldFile AWriteCutShortKeepsTheOldFile \
    ADeviceOrPipeStaysWhatItIs; do
    if grep -q "^\[       OK \] SaveFaults.$test" "$work/files.log"; then result="passed"
    elif grep -q "^\[  SKIPPED \] SaveFaults.$test" "$work/files.log"; then result="skipped (no mount here)"
    else result="**failed**"; fi
    save_rows+="| $test | $result |"$'\n'
done
big_result=$(grep -q '^\[       OK \] BigFiles.LoadLikeSmallFiles' "$work/files.log" && echo passed || echo "**failed**")
files_total=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\./\1/p' "$work/files.log")

# ---- Soak ----
say "soak: $SOAK_TRANSFERS transfers, $SOAK_CYCLES Save and Load cycles"
"$BUILD_DIR/bin/bench-hardening-soak" --transfers "$SOAK_TRANSFERS" --cycles "$SOAK_CYCLES" \
    >"$work/soak.log" 2>&1 || note_failure
soak=$(grep -E '^(SEND|Save|  |Nothing|SOMETHING)' "$work/soak.log" | sed 's/^/    /')

say "short soak under valgrind"
if command -v valgrind >/dev/null; then
    # Definite and indirect losses fail; a possible one (a worker thread of Qt's
    # still running at exit, say) is counted, and checked for our code.
    valgrind --leak-check=full --show-leak-kinds=definite,indirect,possible \
        --errors-for-leak-kinds=definite,indirect --num-callers=40 --error-exitcode=9 \
        "$BUILD_DIR/bin/bench-hardening-soak" --transfers 20 --cycles 100 >"$work/valgrind.log" 2>&1 ||
        note_failure
    leaks=$(grep -E '(definitely|indirectly|possibly) lost:|still reachable:|ERROR SUMMARY:|total heap usage:' \
        "$work/valgrind.log" | sed 's/^==[0-9]*== */    /')
    # Loss records whose allocation passed through the program's own code.
    ours=$(sed 's/^==[0-9]*== *//' "$work/valgrind.log" |
        awk '/lost in loss record/ { inrecord = 1; mine = 0; next }
             inrecord && /korvel::|SoakBench/ { mine = 1 }
             inrecord && /^$/ { inrecord = 0; total += mine }
             END { print total + 0 }')
    leaks+=$'\n'"    loss records (definite, indirect or possible) allocated through our code: $ours"
    [ "$ours" -eq 0 ] || note_failure
else
    leaks="    valgrind is not installed; not run."
fi

# ---- Sanitizers ----
say "every test built with AddressSanitizer and UndefinedBehaviorSanitizer"
make --no-print-directory test-sanitize SANITIZE_DIR="$SANITIZE_DIR" JOBS="$JOBS" \
    >"$work/sanitize.log" 2>&1 || note_failure
sanitized=$(grep -E 'tests passed|tests failed out of' "$work/sanitize.log" | tail -1)
sanitize_skipped=$(sed -n 's/^[[:space:]]*[0-9]* - \(.*\) (Skipped)$/\1/p' "$work/sanitize.log" |
    paste -sd ' ' -)
findings=$(grep -cE 'ERROR: (Address|Leak)Sanitizer|runtime error:' "$work/sanitize.log")

# ---- The document ----
if [ "$skipped_count" -eq 0 ]; then
    skipped_text="None was skipped."
else
    skipped_text="Skipped, with the reason each gave:

| Test | Reason |
|---|---|
$skipped_rows"
fi
mkdir -p "$(dirname "$OUT")"
cat >"$OUT" <<EOF
# Reliability figures

Generated by \`make reliability\` (\`bench/reliability.sh\`) on $(date -u '+%Y-%m-%d %H:%M UTC')
from $tree_state at commit \`$commit\` ("$subject"), on $(nproc) cores ($(uname -sr)).
Do not edit by hand: run it again, in the same change as any change to a parser
(RTF, settings file, frames), the file layer or the transfer.

## Tests

\`ctest\` in \`$BUILD_DIR\`: ${tests_total:-?} tests, ${tests_failed:-?} failed, $skipped_count skipped.
$skipped_text

## Fuzzing (libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer)

Each target starts from its committed seeds and runs $FUZZ_RUNS inputs. \`make test\`
runs each again as a test, for fewer inputs and a bounded time.

| Target | Seeds | Inputs run | Inputs kept | Time | Peak memory | Outcome |
|---|---|---|---|---|---|---|
$fuzz_rows
## Faults on the serial line (from the window, through a pseudo-terminal)

Each fault is followed by the same checks: one message naming the port and the
cause, the port closed, SEND enabled again, the window closable, and the next
transfer, with the simulated tracker back on the line, received whole.

| Fault | Outcome | Message shown |
|---|---|---|
$serial_rows
Totals: $serial_total.

## Faults on files

Save, with an existing target that must stay byte for byte as it was:

| Case | Outcome |
|---|---|
$save_rows
Load: a corpus of $corpus_files settings files (\`tests/data/settingsfile/corpus\`),
empty, cut inside every one of the 22 values, wrong forms and out-of-range numbers
in number positions, unterminated quotes, stray bytes, CR-only and LF-only lines,
binary junk; each with its expected message and the fields it applies
(\`expected.txt\`). $corpus_passed files gave exactly what the table says, $corpus_failed
did not; $corpus_messages of them are refused with a message. Files of 10 MB (four
shapes): $big_result. All file-fault tests: ${files_total:-0} passed.

## Soak

$SOAK_TRANSFERS SEND transfers from the window (offscreen, pauses shortened) to a
tracker on a pseudo-terminal, each received image compared byte for byte with the
one the window built; then $SOAK_CYCLES Save and Load cycles through the window's
commands, each file compared with the first.

$soak

Memory, 20 transfers and 100 cycles under valgrind (no suppressions):

$leaks

## Sanitizers

Every test of the project built with AddressSanitizer and UndefinedBehaviorSanitizer
(\`make test-sanitize\`, any finding fails its test): $sanitized
(skipped: ${sanitize_skipped:-none}). Sanitizer reports in the log: $findings.
EOF

say "wrote $OUT ($failures parts failed)"
exit $((failures > 0))
