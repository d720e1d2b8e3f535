// vorax fslice FILE [--from F] [--to F] [--spread-peak|--trace-peak] --out-dir DIR: the
// frequency slice of a record, one picture per spectrum bin of the band, as the spread view
// animates it.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "app/readouts.h"
#include "cli/commands.h"
#include "cli/picture_file.h"
#include "cli/spread_record.h"
#include "dsp/fft.h"
#include "spread/frequency_slice.h"
#include "spread/slice_spectra.h"

namespace vorax::cli {

namespace {

struct FsliceOptions {
  std::string file;
  std::optional<double> fromHz;  // 10 Hz when not given
  std::optional<double> toHz;    // 80 Hz, or the Nyquist frequency below that, when not given
  bool spreadPeak = false;
  bool tracePeak = false;
  std::string outDir;
};

int runFslice(const FsliceOptions& options) {
  CliRecord opened;
  if (const int status = openSpreadRecord("fslice", options.file, opened); status != 0)
    return status;
  const decode::SegdRecord& record = opened.record;
  const std::optional<double> nyquist = spread::nyquistKhz(record.summary.sampleIntervalUs);
  if (!nyquist) {
    std::fprintf(stderr, "vorax fslice: the record gives no sample interval\n");
    return 2;
  }
  const RecordRange band{0, 1000 * *nyquist, "Hz"};
  const double fromHz = options.fromHz.value_or(std::min(10.0, band.high));
  const double toHz = options.toHz.value_or(std::min(80.0, band.high));
  if (!valueWithin("fslice", "--from", fromHz, band) || !valueWithin("fslice", "--to", toHz, band))
    return 2;
  if (fromHz > toHz) {
    std::fprintf(stderr, "vorax fslice: no frequency lies between %g and %g Hz\n", fromHz, toHz);
    return 2;
  }
  if (!makeOutputFolder("fslice", options.outDir)) return 2;

  dsp::Fft fft;
  const std::optional<spread::SliceSpectra> spectra = spread::computeSliceSpectra(record, fft);
  const spread::SliceBand bins = spread::sliceBand(spectra->binCount(), *nyquist, fromHz, toHz);
  const spread::PeakReference reference =
      options.tracePeak ? spread::PeakReference::Trace : spread::PeakReference::Spread;
  const spread::SpreadLayout layout = spread::computeSpreadLayout(record);
  int written = 0;
  for (std::int32_t bin = bins.firstBin; bin <= bins.lastBin; ++bin) {
    const std::string path =
        frameFileName(options.outDir, "fslice", bin, spectra->binCount()).string();
    const int status = writePictureFile("fslice", path, PictureSize{}, [&](app::Canvas& canvas) {
      spread::drawFrequencySliceFrame(canvas, record, layout, *spectra, bin, reference);
    });
    if (status != 0) return status;
    ++written;
  }
  std::printf(
      "%d pictures in %s: bins %d to %d, %s to %s Hz\n", written, options.outDir.c_str(),
      bins.firstBin, bins.lastBin,
      app::fixedDecimals(spread::binFrequencyHz(bins.firstBin, spectra->binCount(), *nyquist), 1)
          .c_str(),
      app::fixedDecimals(spread::binFrequencyHz(bins.lastBin, spectra->binCount(), *nyquist), 1)
          .c_str());
  return 0;
}

}  // namespace

void addFsliceCommand(CLI::App& app, int& status) {
  auto options = std::make_shared<FsliceOptions>();
  CLI::App* command = app.add_subcommand(
      "fslice",
      "Draws the frequency slice of a record's spread, one picture per spectrum bin of the band.");
  command->add_option("FILE", options->file, "record file")->required();
  command->add_option("--from", options->fromHz, "first frequency, Hz (0 to the Nyquist frequency)")
      ->default_str("10");
  command->add_option("--to", options->toHz, "last frequency, Hz (0 to the Nyquist frequency)")
      ->default_str("80, or the Nyquist frequency below that");
  CLI::Option* spread =
      command->add_flag("--spread-peak", options->spreadPeak,
                        "levels against the strongest trace of the spread (the default)");
  CLI::Option* trace = command->add_flag("--trace-peak", options->tracePeak,
                                         "levels against each trace's own peak (off)");
  spread->excludes(trace);
  command
      ->add_option("--out-dir", options->outDir,
                   "folder for the pictures fslice_<bin>.png (made when missing)")
      ->required();
  command->callback([options, &status] { status = runFslice(*options); });
}

}  // namespace vorax::cli
