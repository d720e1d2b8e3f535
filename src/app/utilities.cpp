#include "app/utilities.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <system_error>

namespace vorax::app {

float CHOOSESTEP(float a, float b) {
  static constexpr std::array<float, 26> kCandidates{
      0.01f,   0.1f,    1.0f,    2.0f,     5.0f,   10.0f,  20.0f,  25.0f,  30.0f,
      40.0f,   50.0f,   75.0f,   100.0f,   150.0f, 200.0f, 400.0f, 500.0f, 1000.0f,
      2000.0f, 3000.0f, 5000.0f, 10000.0f, 0.02f,  0.05f,  0.2f,   0.5f};
  const float range = std::fabs(b - a);
  float best = 1000000.0f;
  float step = kCandidates.front();
  for (float candidate : kCandidates) {
    const float distance = std::fabs(10.0f - range / candidate);
    if (distance < best) {
      best = distance;
      step = candidate;
    }
  }
  return step;
}

namespace {

// One colour component of the HLS model for a hue in degrees.
double hlsComponent(double m1, double m2, double hue) {
  if (hue < 0)
    hue += 360;
  else if (hue > 360)
    hue -= 360;
  if (hue < 60) return m1 + (m2 - m1) * hue / 60;
  if (hue < 180) return m2;
  if (hue < 240) return m1 + (m2 - m1) * (240 - hue) / 60;
  return m1;
}

int toByte(double unit) {
  return static_cast<int>(std::lround(std::clamp(unit, 0.0, 1.0) * 255));
}

}  // namespace

decode::Colorref HLSTORGB(float h, float l, float s) {
  const double hue = h * 360.0 / 240.0;
  const double light = l / 240.0;
  const double sat = s / 240.0;
  const double m2 = light <= 0.5 ? light * (1 + sat) : light + sat - light * sat;
  const double m1 = 2 * light - m2;
  double r = light;
  double g = light;
  double b = light;
  if (sat != 0) {
    r = hlsComponent(m1, m2, hue + 120);
    g = hlsComponent(m1, m2, hue);
    b = hlsComponent(m1, m2, hue - 120);
  }
  return static_cast<decode::Colorref>(toByte(r) | (toByte(g) << 8) | (toByte(b) << 16));
}

float ATAN2(float y, float x) {
  constexpr double kPi = 3.14159265358979;
  const double signY = y > 0 ? 1.0 : (y < 0 ? -1.0 : 0.0);
  if (std::fabs(x) < 0.0000001f) return static_cast<float>(kPi / 2 * signY);
  const double angle = std::atan(static_cast<double>(y) / x);
  return static_cast<float>(x < 0 ? angle + kPi * signY : angle);
}

std::string PADOUT(std::string& s, int n) {
  const std::size_t first = s.find_first_not_of(' ');
  s = first == std::string::npos ? std::string()
                                 : s.substr(first, s.find_last_not_of(' ') - first + 1);
  s.resize(static_cast<std::size_t>(std::max(n, 0)), ' ');
  return s;
}

std::int64_t FILELEN(const std::filesystem::path& file) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec)) return -1;
  const std::uintmax_t size = std::filesystem::file_size(file, ec);
  return ec ? -1 : static_cast<std::int64_t>(size);
}

std::string FolderOfPath(std::string_view path) {
  const std::size_t last = path.find_last_of("\\/");
  if (last == std::string_view::npos) return {};
  return std::string(path.substr(0, last == 0 ? 1 : last));
}

}  // namespace vorax::app
