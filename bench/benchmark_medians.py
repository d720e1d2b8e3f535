"""The median figures of a built Google Benchmark program, for the scripts that time its peers."""
import json
import subprocess


def medians(binary):
    """(name, median wall ms, median processor ms of the calling thread) of each benchmark."""
    out = subprocess.run([binary, "--benchmark_format=json", "--benchmark_repetitions=5",
                          "--benchmark_report_aggregates_only=true"],
                         check=True, capture_output=True, text=True).stdout
    return [(b["run_name"], b["real_time"], b["cpu_time"])
            for b in json.loads(out)["benchmarks"] if b.get("aggregate_name") == "median"]
