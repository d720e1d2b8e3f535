#!/usr/bin/env bash
# Makes the survey QC benchmark's folder (50 records of 2,000 traces x 6,001 samples, 2.4 GB)
# with `vorax synth` under the temporary folder, runs bench/survey_qc_bench on it and removes
# it. Usage: bench/survey_qc_bench.sh [BUILD_DIR]   (default build/release)
set -euo pipefail
build=${1:-build/release}
folder=$(mktemp -d "${TMPDIR:-/tmp}/vorax-qc-bench.XXXXXX")
trap 'rm -rf "$folder"' EXIT
for n in $(seq 1 50); do
  "$build/src/vorax" synth --traces 2000 --aux 0 --samples 6001 --seed "$n" --file-number "$n" \
    -o "$(printf '%s/shot_%03d.segd' "$folder" "$n")" >/dev/null
done
VORAX_QC_BENCH_FOLDER="$folder" "$build/bench/survey_qc_bench"
