#!/usr/bin/env bash
# Makes the survey QC benchmark's folder (50 records of 2,000 traces x 6,001 samples, 2.4 GB)
# with `vorax synth` under the temporary folder, runs bench/survey_qc_bench on it, then times
# `vorax qc --jobs 2` as a command of its own beside the floor in a process of its own (a
# fresh process pays for its first memory, which a benchmark's later iterations do not), and
# removes the folder. A folder named by VORAX_QC_BENCH_FOLDER is used as it is and kept.
# Usage: bench/survey_qc_bench.sh [BUILD_DIR]   (default build/release)
set -euo pipefail
build=${1:-build/release}
out=$(mktemp -d "${TMPDIR:-/tmp}/vorax-qc-bench-out.XXXXXX")
if [[ -n ${VORAX_QC_BENCH_FOLDER:-} ]]; then
  folder=$VORAX_QC_BENCH_FOLDER
  trap 'rm -rf "$out"' EXIT
else
  folder=$(mktemp -d "${TMPDIR:-/tmp}/vorax-qc-bench.XXXXXX")
  trap 'rm -rf "$folder" "$out"' EXIT
  for n in $(seq 1 50); do
    "$build/src/vorax" synth --traces 2000 --aux 0 --samples 6001 --seed "$n" --file-number "$n" \
      -o "$(printf '%s/shot_%03d.segd' "$folder" "$n")" >/dev/null
  done
fi
VORAX_QC_BENCH_FOLDER="$folder" "$build/bench/survey_qc_bench"

floor=$(VORAX_QC_BENCH_FOLDER="$folder" "$build/bench/survey_qc_bench" \
  --benchmark_filter=freshMemoryRead --benchmark_format=json |
  python3 -c 'import json, sys; print(json.load(sys.stdin)["benchmarks"][0]["real_time"])')
start=$(date +%s.%N)
"$build/src/vorax" qc "$folder" --out "$out" --jobs 2 >/dev/null
end=$(date +%s.%N)
python3 - "$start" "$end" "$floor" "$(wc -l <"$out/records.jsonl")" <<'EOF'
import sys
start, end, floor, records = map(float, sys.argv[1:])
seconds = end - start
print(f"vorax qc --jobs 2, own process: {seconds:.3f} s, {records / seconds:.1f} records/s; "
      f"floor, own process: {floor:.3f} s; x_floor {seconds / floor:.2f}")
EOF
