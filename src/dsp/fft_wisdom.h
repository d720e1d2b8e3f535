// Measured FFT plans kept across runs as FFTW wisdom, in a file of the user's cache folder.
//
// Measuring a plan takes FFTW a second or so per length; a measured plan then transforms
// faster than the estimate every Fft starts with. Once measuring is on, every length an Fft
// plans is measured on one background thread, one length at a time; the Fft keeps using its
// estimated plan meanwhile and changes to the measured one when it is there. After every
// measurement the whole wisdom is written to the file (atomically), which the next run imports.
// A file that is missing, damaged or from another FFTW is ignored: nothing of it is learnt.
#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <string>

namespace vorax::dsp {

// "<cache>/vorax/fftw-wisdom" where <cache> is `xdgCacheHome` when it is an absolute path, else
// `home` + "/.cache"; empty when neither gives a folder. Either may be null (an unset variable).
std::filesystem::path wisdomFileFor(const char* xdgCacheHome, const char* home);
// The same for this process's XDG_CACHE_HOME and HOME.
std::filesystem::path userWisdomFile();

// Learns the plans in `file`. False, with nothing learnt, when it cannot be read or is not
// whole and sound FFTW wisdom.
bool importWisdom(const std::filesystem::path& file);
// Writes every plan learnt so far to `file` (its folder is made when missing), atomically.
// Returns the error, empty on success.
std::string exportWisdom(const std::filesystem::path& file);

// Imports `file` (when it is sound) and turns background measuring on, each new measurement
// being exported to `file` (none when it is empty). Returns whether the import succeeded.
bool enableMeasuredPlans(const std::filesystem::path& file);
// Turns measuring off: a measurement under way finishes, those waiting are dropped.
void disableMeasuredPlans();
// Waits until no measurement waits or runs, at most `timeout`; true when none does.
bool waitForMeasuredPlans(std::chrono::milliseconds timeout);

// Whether the wisdom in memory holds measured plans of the real transforms of length n, forward
// and inverse (out of place, as forward() and inverseOverwriting() run them: the filter's).
bool hasMeasuredRealPlans(std::size_t n);
// Forgets every plan learnt (plans already made keep working).
void forgetWisdom();

}  // namespace vorax::dsp
