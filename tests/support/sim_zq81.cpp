// The ZQ81 and ZQ89 CO2 units as the simulator plays them (one command set; the firmware
// versions from which a command exists, and the CO2 unit codes, differ by model).
//
//   "ATCOFF1" / "ATCOFF2"  offsets             "ATCCAL"    CO2 calibration reference
//   "ATCCU"                CO2 unit code       "ATCDGFIL"  digital filter
//   "ATCSPAN"              barometer (mbar)    "ATCSINFO"  sensor version text
//   "ATCCH1WIN"            sensitivity         "ATCEXTM"   last calibration (seconds)
//   "ATCUSED"              used hours          "ATCBLDTM"  build time (seconds)
//   "ATCC" / "ATCF"        temperature unit    "ATCD"      the poll
// Queries answer "KEY value"; writes are stored and echoed. ZQ81: "ATCCU" from 3 (codes
// %=1, ppm=2 below 10, %=0, ppm=1 from 10), "ATCDGFIL", "ATCSPAN", "ATCSINFO", "ATCEXTM"
// from 10, "ATCUSED", "ATCBLDTM" from 15, "ATCCH1WIN" from 24. ZQ89: everything, but
// "ATCCH1WIN" only from 3; codes %=0, ppm=1. The unit starts in ppm.
#include "airsim.h"

namespace {

void install(InstrumentSimulator& sim, unsigned version, bool zq89)
{
    using airsim::addSetting;
    const unsigned settings = zq89 ? 0 : 10;
    const unsigned used = zq89 ? 0 : 15;
    sim.addSetting("ATCOFF1", "0.00");
    sim.addSetting("ATCOFF2", "0.00");
    sim.addSetting("ATCCAL", "400.00");
    addSetting(sim, version, zq89 ? 0 : 3, "ATCCU", !zq89 && version < 10 ? "2" : "1");
    addSetting(sim, version, settings, "ATCDGFIL", "32");
    addSetting(sim, version, settings, "ATCSPAN", "1013");
    addSetting(sim, version, settings, "ATCSINFO", "K30-V1.2");
    addSetting(sim, version, settings, "ATCEXTM", airsim::kCalibrated);
    addSetting(sim, version, used, "ATCUSED", "1234");
    addSetting(sim, version, used, "ATCBLDTM", airsim::kBuilt);
    addSetting(sim, version, zq89 ? 3 : 24, "ATCCH1WIN", "5");
    sim.addUnitCommands();
}

const SimModelRegistration zq81({81}, [](InstrumentSimulator& sim, unsigned version) { install(sim, version, false); });
const SimModelRegistration zq89({89}, [](InstrumentSimulator& sim, unsigned version) { install(sim, version, true); });

} // namespace
