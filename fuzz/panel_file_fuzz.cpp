// A panel file of arbitrary bytes: decoded, and when it decodes, a small panel drawn with
// whatever range, gains, clip and AGC window it holds.
#include <cstddef>
#include <cstdint>

#include "app/recording_canvas.h"
#include "filter/panel_picture.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vorax::filter;
  const std::optional<PanelSettings> settings = decodePanelFile({data, size}, PanelSettings{});
  if (!settings) return 0;
  Panel panel;
  panel.fileName = "fuzz";
  panel.sampleIntervalUs = 2000;
  panel.samplesPerTrace = 64;
  panel.scales = {1.0f, 0.0f, 3.0f};
  panel.values.assign(3 * 65, 0.25f);
  panel.values[70] = -1.0f;
  vorax::app::RecordingCanvas canvas(200, 150);
  drawPanel(canvas, panel, *settings);
  return 0;
}
