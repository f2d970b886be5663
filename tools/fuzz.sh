#!/usr/bin/env bash
# Builds the libFuzzer targets under fuzz/ with clang-14 (AddressSanitizer and
# UndefinedBehaviorSanitizer on) and runs each for a bounded time from its seeds in
# fuzz/corpus/<target>. Fails on any finding.
#
#   tools/fuzz.sh [--xml FILE] [TARGET...]     FUZZ_SECONDS (default 20) per target
#
# clang has no code page 936 execution charset, so these builds keep literals as UTF-8; the code
# they exercise holds no literal outside ASCII, so nothing it compares changes. New corpus
# entries go to a temporary folder, the checked-in seeds stay as they are; a crashing input is
# kept in build/fuzz/.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root" || exit 1
# shellcheck source=tools/results-xml.sh
. "$root/tools/results-xml.sh"

seconds=${FUZZ_SECONDS:-20}
out=$root/build/fuzz
xml=""
if [ "${1:-}" = --xml ]; then
  xml=$2
  shift 2
fi

# target → the program sources it needs besides its own file
declare -A sources=(
  [trim_spaces]="gamefolder/folder_picker.cpp app/global_texts.cpp"
  [lower_case]="switch/client_check.cpp"
  [registry_path]="gamefolder/registry_text.cpp"
  [delete_tree]="switch/folder_ops.cpp tests/fakes/fake_file_system.cpp"
)
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(trim_spaces lower_case registry_path delete_tree)

mkdir -p "$out"
work=$(mktemp -d "${TMPDIR:-/tmp}/kestrova-fuzz.XXXXXX")
trap 'rm -rf "$work"' EXIT
failed=0

for target in "${targets[@]}"; do
  echo "== fuzz $target (${seconds} s)"
  binary=$out/$target
  # shellcheck disable=SC2086  # the source list is split on purpose
  if ! clang++-14 -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined \
      -fno-sanitize-recover=all -I"$root" "fuzz/${target}_fuzz.cpp" ${sources[$target]} \
      -o "$binary"; then
    result_case "$target" fail "does not build"
    failed=1
    continue
  fi
  mkdir -p "$work/$target"
  if "$binary" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
      -artifact_prefix="$out/$target-" "$work/$target" "fuzz/corpus/$target" \
      >"$out/$target.log" 2>&1; then
    tail -n 3 "$out/$target.log"
    result_case "$target" ok
  else
    grep -m 5 -E 'ERROR|SUMMARY|Test unit written' "$out/$target.log"
    result_case "$target" fail "a finding: see $out/$target.log"
    failed=1
  fi
done

[ -z "$xml" ] || results_write "$xml" fuzz
exit $failed
