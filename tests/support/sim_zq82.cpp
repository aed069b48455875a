// The ZQ82 oxygen unit as the simulator plays it.
//
//   "ATCMODE"              sensor mode 1..4, 5 from firmware 13; others refused
//   "ATCOFF1" / "ATCOFF2"  offsets
//   "ATCSINFO", "ATCEXTM", "ATCUSED", "ATCBLDTM"  from 10
//   "ATCWIN"               sensitivity, from 17
//   "ATCC" / "ATCF"        temperature unit    "ATCD"      the poll
#include "airsim.h"

namespace {

const SimModelRegistration zq82({82}, [](InstrumentSimulator& sim, unsigned version) {
    using airsim::addSetting;
    airsim::addMode(sim, version >= 13 ? 5 : 4);
    sim.addSetting("ATCOFF1", "0.00");
    sim.addSetting("ATCOFF2", "0.00");
    addSetting(sim, version, 10, "ATCSINFO", "O2-V2.0");
    addSetting(sim, version, 10, "ATCEXTM", airsim::kCalibrated);
    addSetting(sim, version, 10, "ATCUSED", "1234");
    addSetting(sim, version, 10, "ATCBLDTM", airsim::kBuilt);
    addSetting(sim, version, 17, "ATCWIN", "5");
    sim.addUnitCommands();
});

} // namespace
