// vorax fslice FILE [--from F] [--to F] [--spread-peak|--trace-peak] --out-dir DIR: the
// frequency slice of a record, one picture per spectrum bin of the band, as the spread view
// animates it.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <memory>
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
  double fromHz = 10;
  double toHz = 80;
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
  if (!makeOutputFolder("fslice", options.outDir)) return 2;

  dsp::Fft fft;
  const std::optional<spread::SliceSpectra> spectra = spread::computeSliceSpectra(record, fft);
  const spread::SliceBand band =
      spread::sliceBand(spectra->binCount(), *nyquist, options.fromHz, options.toHz);
  const spread::PeakReference reference =
      options.tracePeak ? spread::PeakReference::Trace : spread::PeakReference::Spread;
  const spread::SpreadLayout layout = spread::computeSpreadLayout(record);
  int written = 0;
  for (std::int32_t bin = band.firstBin; bin <= band.lastBin; ++bin) {
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
      band.firstBin, band.lastBin,
      app::fixedDecimals(spread::binFrequencyHz(band.firstBin, spectra->binCount(), *nyquist), 1)
          .c_str(),
      app::fixedDecimals(spread::binFrequencyHz(band.lastBin, spectra->binCount(), *nyquist), 1)
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
  command->add_option("--from", options->fromHz, "first frequency, Hz");
  command->add_option("--to", options->toHz, "last frequency, Hz");
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
