#!/usr/bin/python3
"""The peers of bench/record_loader_bench.cpp, timed on the same data (2,000 traces of 6,001
big-endian single-precision samples) in the same session: segyio reading every trace of a SEG-Y
file holding it, numpy.fromfile reading the whole file into new memory, and NumPy reading,
swapping and normalising each trace to a peak of 1 as the one-block loader does. Given the path
of the built record_loader_bench, runs it too and prints its figures beside them.

Needs Debian's python3-numpy and python3-segyio:
    apt-get install python3-numpy python3-segyio
Usage: bench/segyio_read.py [build/release/bench/record_loader_bench]
"""
import os
import sys
import tempfile
import time

import numpy as np
import segyio
import segyio.tools

from benchmark_medians import medians

TRACES, SAMPLES = 2000, 6001
REPEATS = 15


def best_ms(run):
    """Best wall-clock time of REPEATS runs, in ms."""
    times = []
    for _ in range(REPEATS):
        start = time.perf_counter()
        run()
        times.append(time.perf_counter() - start)
    return 1000 * min(times)


def write_segy(path):
    rng = np.random.default_rng(1)
    traces = rng.standard_normal((TRACES, SAMPLES)).astype(np.float32)
    segyio.tools.from_array(path, traces, format=5)  # IEEE single, big-endian


def read_segyio(path):
    with segyio.open(path, ignore_geometry=True) as f:
        return f.trace.raw[:]


def numpy_normalised(path):
    raw = np.fromfile(path, dtype=np.uint8)
    body = raw[3600:].view(">f4").reshape(TRACES, 60 + SAMPLES)[:, 60:]
    values = body.astype(np.float32)
    peaks = np.nanmax(np.abs(np.where(np.isfinite(values), values, 0)), axis=1, keepdims=True)
    return values / np.where(peaks == 0, 1, peaks)


def main():
    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, "peer.sgy")
        write_segy(path)
        figures = {
            "numpy.fromfile (whole file, new memory)": best_ms(lambda: np.fromfile(path, dtype=np.uint8)),
            "segyio, every trace": best_ms(lambda: read_segyio(path)),
            "NumPy read + swap + normalise per trace": best_ms(lambda: numpy_normalised(path)),
        }
    print(f"{'':45s} {'best wall ms':>12s}")
    for name, ms in figures.items():
        print(f"{name:45s} {ms:12.1f}")
    if len(sys.argv) > 1:
        for name, wall, _ in medians(sys.argv[1]):
            print(f"{name:45s} {wall:12.1f} (median)")


if __name__ == "__main__":
    main()
