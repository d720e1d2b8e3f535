"""The median figures of a built Google Benchmark program, for the scripts that time its peers."""
import json
import subprocess


def medians(binary, benchmark_filter=None):
    """(name, median wall ms, median processor ms of the calling thread) of each benchmark, or
    of those whose names match the regular expression `benchmark_filter`."""
    chosen = [f"--benchmark_filter={benchmark_filter}"] if benchmark_filter else []
    out = subprocess.run([binary, "--benchmark_format=json", "--benchmark_repetitions=5",
                          "--benchmark_report_aggregates_only=true", *chosen],
                         check=True, capture_output=True, text=True).stdout
    return [(b["run_name"], b["real_time"], b["cpu_time"])
            for b in json.loads(out)["benchmarks"] if b.get("aggregate_name") == "median"]
