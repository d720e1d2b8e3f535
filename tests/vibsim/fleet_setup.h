// The wireline set-up of a synthetic fleet record: vibrators 1..count on their traces (see
// vibratorTrace), named "V1".., judged with the distortion limit at 20 %.
#pragma once

#include <string>

#include "vibsim/similarity_setup.h"
#include "vibsim/vibrator_synth.h"

namespace vorax::test {

inline vibsim::WirelineSetup fleetSetup(int count) {
  vibsim::WirelineSetup s;
  s.params.distortionQcLimit = 20;
  for (int v = 1; v <= count; ++v)
    s.vibrators.push_back({v,
                           "V" + std::to_string(v),
                           {vibsim::vibratorTrace(v, 0), vibsim::vibratorTrace(v, 1),
                            vibsim::vibratorTrace(v, 2), vibsim::vibratorTrace(v, 3)}});
  return s;
}

}  // namespace vorax::test
