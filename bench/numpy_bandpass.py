#!/usr/bin/python3
"""NumPy/SciPy band pass (rfft, mask, irfft) of the data bench/filter_bench.cpp filters:
1,000 traces x 4,096 samples at 2 ms, trace t sample s = sin(0.05 s + 0.1 t) + 0.5 sin(0.9 s),
band pass 8-12-70-90 Hz. Prints the best of several runs of numpy.fft and of scipy.fft (one
and two workers), and, given the path of the built filter_bench, runs it in the same session
and prints its figures beside them.

Needs Debian's python3-numpy (and python3-scipy for the scipy.fft figures):
    apt-get install python3-numpy python3-scipy
Usage: bench/numpy_bandpass.py [build/release/bench/filter_bench]
"""
import sys
import time

import numpy as np

from benchmark_medians import medians

TRACES, SAMPLES, DT = 1000, 4096, 0.002
CORNERS = (8.0, 12.0, 70.0, 90.0)
REPEATS = 7


def data():
    s = np.arange(SAMPLES, dtype=np.float64)
    t = np.arange(TRACES, dtype=np.float64)[:, None]
    return (np.sin(0.05 * s + 0.1 * t) + 0.5 * np.sin(0.9 * s)).astype(np.float32)


def mask(n):
    """Gain per rfft bin: cosine ramps from F1 to F2 and from F3 to F4, 1 between, 0 outside."""
    f = np.fft.rfftfreq(n, DT)
    f1, f2, f3, f4 = CORNERS
    gain = np.zeros_like(f)
    rising = (f >= f1) & (f < f2)
    gain[rising] = 0.5 - 0.5 * np.cos(np.pi * (f[rising] - f1) / (f2 - f1))
    gain[(f >= f2) & (f <= f3)] = 1.0
    falling = (f > f3) & (f <= f4)
    gain[falling] = 0.5 + 0.5 * np.cos(np.pi * (f[falling] - f3) / (f4 - f3))
    return gain


def best_ms(run):
    """Best wall-clock and best processor time of REPEATS runs, in ms (on a busy machine the
    wall clock also counts the time other programs had the cores)."""
    wall, cpu = [], []
    for _ in range(REPEATS):
        start, start_cpu = time.perf_counter(), time.process_time()
        run()
        wall.append(time.perf_counter() - start)
        cpu.append(time.process_time() - start_cpu)
    return 1000 * min(wall), 1000 * min(cpu)


def main():
    x = data()
    gain = mask(SAMPLES)
    figures = {"numpy.fft": best_ms(lambda: np.fft.irfft(np.fft.rfft(x, axis=-1) * gain, n=SAMPLES, axis=-1))}
    try:
        import scipy.fft as sfft
        g32 = gain.astype(np.float32)
        for workers in (1, 2):
            figures[f"scipy.fft workers={workers}"] = best_ms(
                lambda: sfft.irfft(sfft.rfft(x, axis=-1, workers=workers) * g32, n=SAMPLES, axis=-1, workers=workers))
    except ImportError:
        print("scipy not installed: only numpy.fft timed (apt-get install python3-scipy)")
    print(f"{'':40s} {'wall ms':>9s} {'cpu ms':>9s}")
    for name, (wall, cpu) in figures.items():
        print(f"{name:40s} {wall:9.1f} {cpu:9.1f}")
    if len(sys.argv) > 1:
        for name, wall, cpu in medians(sys.argv[1]):
            print(f"{name:40s} {wall:9.1f} {cpu:9.1f} (median, calling thread)")


if __name__ == "__main__":
    main()
