// The two-channel ZQ74 temperature unit as the simulator plays it: the ZQ63's channels
// (sim_zq63.cpp) with the sensitivity, and the sensor type.
//
//   "ATCTS"                          sensor type: "ATCTS <1 PT100 | 2 TC-K>"
//   "ATCTS <type>"                   stores it and echoes "ATCTS <type>"
#include "instrumentsim.h"

void addTemperatureChannels(InstrumentSimulator& sim, int channels, bool sensitivity);

namespace {

const SimModelRegistration zq74({74}, [](InstrumentSimulator& sim, unsigned) {
    addTemperatureChannels(sim, 2, true);
    sim.addSetting("ATCTS", "1");
    sim.addUnitCommands();
});

} // namespace
