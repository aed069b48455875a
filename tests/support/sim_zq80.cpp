// The ZQ80 TVOC unit as the simulator plays it.
//
//   "ATCMODE"              sensor mode 1 (TVOC, humidity) or 2 (TVOC, CO2); others refused
//   "ATCOFF1" / "ATCOFF2"  offsets             "ATCVOCU"   VOC unit (0 ppm, 1 ppb)
//   "ATCCU"                CO2 unit (0 %, 1 ppm), from 32
//   "ATCWIN"               sensitivity         "ATCEXTM"   last calibration (seconds)
//   "ATCUSED", "ATCBLDTM"  used hours, build time, from 32
//   "ATCUCAL", "ATCFCAL"   user / factory calibration: "ATCUCAL OK" / "ATCFCAL OK"
//   "ATCD"                 the poll; no temperature unit
#include "airsim.h"

namespace {

const SimModelRegistration zq80({80}, [](InstrumentSimulator& sim, unsigned version) {
    using airsim::addSetting;
    airsim::addMode(sim, 2);
    sim.addSetting("ATCOFF1", "0.00");
    sim.addSetting("ATCOFF2", "0.00");
    sim.addSetting("ATCVOCU", "0");
    addSetting(sim, version, 32, "ATCCU", "1");
    sim.addSetting("ATCWIN", "5");
    sim.addSetting("ATCEXTM", airsim::kCalibrated);
    addSetting(sim, version, 32, "ATCUSED", "1234");
    addSetting(sim, version, 32, "ATCBLDTM", airsim::kBuilt);
    sim.setReply("ATCUCAL", {"ATCUCAL OK"});
    sim.setReply("ATCFCAL", {"ATCFCAL OK"});
});

} // namespace
