// What the FFT wrapper and the wisdom keeper share inside src/dsp: FFTW's planner, which is
// state of the library itself, and the problems the program plans. Not for other folders.
#pragma once

#include <cstddef>
#include <mutex>

struct fftwf_plan_s;

namespace vorax::dsp::planner {

// The transforms an Fft plans, each on arrays from fftwf_malloc: out of place (Real*), in place
// in the packed layout (Ccs*), in place on complex values (Complex*), out of place on complex
// values (ComplexApart*).
enum class Kind {
  RealForward,
  RealInverse,
  CcsForward,
  CcsInverse,
  ComplexForward,
  ComplexInverse,
  ComplexApartForward,
  ComplexApartInverse
};

// FFTW's planner must never run on two threads at once; executing a finished plan is
// thread-safe. Every planner call, wisdom import and export included, holds this lock.
std::mutex& lock();

// A plan of `kind` for length n (1..2^31 - 1) made with FFTW's planner `flags` (FFTW_ESTIMATE,
// FFTW_MEASURE, FFTW_MEASURE | FFTW_WISDOM_ONLY, ...), taking the lock; null when FFTW cannot.
fftwf_plan_s* makePlan(Kind kind, std::size_t n, unsigned flags);

// Counts the measurements added to the wisdom in memory (by measuring or by an import): a plan
// made by estimate while the count was c is worth asking the wisdom again once it is not c.
unsigned wisdomGeneration();

// Asks for a measured plan of `kind` and n to be found in the background, when measuring is on
// (see enableMeasuredPlans); once it is, wisdomGeneration() moves on. Never blocks.
void requestMeasurement(Kind kind, std::size_t n);

}  // namespace vorax::dsp::planner
