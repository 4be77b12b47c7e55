#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs every fuzz target (or the ones named, e.g. "rtf ini") for SECONDS
# seconds each (default 600), one after the other, starting from the seed
# corpus in fuzz/corpus/<target>/ (with the dictionary fuzz/dict/<target>.dict
# where there is one). New inputs go to build/fuzz/corpus/<target>/
# (the seeds in the repository stay as they are), crashes to
# build/fuzz/artifacts/. Every input has 10 s before it counts as a hang, and
# one that takes 2 s or more is reported as slow (written to artifacts/ as
# slow-unit-*). Prints executions, coverage and slow units per target; exits
# non-zero when a target found a failure or a slow unit.
#   cmake --preset fuzz && cmake --build --preset fuzz && tools/fuzz.sh 600
# With --replay it only runs every target once over its stored corpus, as CI
# does: deterministic, and it fails on the first crash.
set -uo pipefail
cd "$(dirname "$0")/.."

bin=build/fuzz/fuzz
if [ "${1:-}" = "--replay" ]; then
  status=0
  log=$(mktemp)
  for seeds in fuzz/corpus/*/; do
    name=$(basename "$seeds")
    if "$bin/fuzz_$name" -runs=0 -timeout=10 -rss_limit_mb=2048 "$seeds" >"$log" 2>&1; then
      echo "fuzz_$name: $(ls "$seeds" | wc -l) inputs, $(grep -o 'INITED.*' "$log" | tail -1)"
    else
      cat "$log"
      echo "fuzz_$name: FAILED on its stored corpus"
      status=1
    fi
  done
  rm -f "$log"
  exit $status
fi

seconds="${1:-600}"
shift || true
names=("$@")
work=build/fuzz
# Scratch files of the targets that read from a path: in memory when possible.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
  export TMPDIR=/dev/shm
fi
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

status=0
summary=()
for seeds in fuzz/corpus/*/; do
  name=$(basename "$seeds")
  if [ ${#names[@]} -gt 0 ] && [[ ! " ${names[*]} " =~ " $name " ]]; then
    continue
  fi
  target="$bin/fuzz_$name"
  if [ ! -x "$target" ]; then
    echo "missing $target: run cmake --preset fuzz && cmake --build --preset fuzz" >&2
    exit 2
  fi
  mkdir -p "$work/corpus/$name" "$work/artifacts"
  log="$work/fuzz_$name.log"
  echo "== fuzz_$name for ${seconds}s"
  dict=()
  if [ -f "fuzz/dict/$name.dict" ]; then
    dict=(-dict="fuzz/dict/$name.dict")
  fi
  "$target" "$work/corpus/$name" "$seeds" "${dict[@]}" \
    -max_total_time="$seconds" -timeout=10 -report_slow_units=2 -rss_limit_mb=2048 \
    -artifact_prefix="$work/artifacts/${name}-" -print_final_stats=1 >"$log" 2>&1
  rc=$?
  [ $rc -eq 0 ] || status=1
  slow=$(grep -c '^Slowest unit:' "$log")
  [ "$slow" -eq 0 ] || status=1
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -1)
  last=$(grep -E '^#[0-9]+' "$log" | tail -1)
  cov=$(echo "$last" | grep -o 'cov: [0-9]*' | grep -o '[0-9]*')
  ft=$(echo "$last" | grep -o 'ft: [0-9]*' | grep -o '[0-9]*')
  corpus=$(ls "$work/corpus/$name" | wc -l)
  line=$(printf '%-16s exit %-3s runs %-10s cov %-6s ft %-7s corpus %-6s slow %s' \
    "fuzz_$name" "$rc" "${runs:-?}" "${cov:-?}" "${ft:-?}" "$corpus" "$slow")
  echo "$line"
  summary+=("$line")
  if [ $rc -ne 0 ] || [ "$slow" -ne 0 ]; then
    grep -E 'ERROR|fuzz check failed|SUMMARY|Test unit written|Slowest unit' "$log" | head -5
  fi
done
echo "== summary (${seconds}s per target)"
printf '%s\n' "${summary[@]}"
exit $status
