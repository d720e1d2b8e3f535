#!/usr/bin/python3
"""vorax.open (the Python module) on the benchmark record of bench/record_loader_bench.cpp
(2,000 seismic traces of 6,001 samples, 48 MB, written here by `vorax synth`), timed in the same
run as that program's C++ loader (header driver and one-block loader into a new record) and its
floor (the whole file read into new memory). vorax.open does what the loader does and then
copies the samples once into the NumPy array, in recorded units; it should take at most twice
the loader's time.

Usage: bench/python_open.py [BUILD_TREE]   (default build/release; needs the module built)
"""
import os
import resource
import subprocess
import sys
import tempfile
import time

from benchmark_medians import medians

REPEATS = 15


def main():
    tree = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build/release")
    sys.path.insert(0, os.path.join(tree, "python"))
    import vorax

    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, "bench.segd")
        subprocess.run([os.path.join(tree, "src", "vorax"), "synth", "-o", path, "--traces",
                        "2000", "--aux", "0", "--samples", "6001"], check=True,
                       capture_output=True)
        times = []
        for _ in range(REPEATS):
            start = time.perf_counter()
            record = vorax.open(path)
            times.append(1000 * (time.perf_counter() - start))
            del record
        peak_mib = resource.getrusage(resource.RUSAGE_SELF).ru_maxrss / 1024
        shape = vorax.open(path).samples.shape

    times.sort()
    python_ms = times[len(times) // 2]
    peers = {name: wall for name, wall, _ in medians(
        os.path.join(tree, "bench", "record_loader_bench"),
        "freshMemoryRead|headerDriverAndOneBlockLoader")}
    loader_ms = peers["headerDriverAndOneBlockLoader"]
    print(f"{'':48s} {'median wall ms':>14s}")
    print(f"{'floor: whole file into new memory (C++)':48s} {peers['freshMemoryRead']:14.1f}")
    print(f"{'header driver + one-block loader (C++)':48s} {loader_ms:14.1f}")
    print(f"{'vorax.open, samples ' + 'x'.join(map(str, shape)) + ' float32':48s} "
          f"{python_ms:14.1f}  (best {times[0]:.1f})")
    print(f"vorax.open / C++ loader: {python_ms / loader_ms:.2f} (at most 2); "
          f"peak resident memory of this process {peak_mib:.0f} MiB")
    return 0 if python_ms <= 2 * loader_ms else 1


if __name__ == "__main__":
    sys.exit(main())
