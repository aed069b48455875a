// The ZQ62 temperature and humidity unit as the simulator plays it.
//
//   "ATCOFF1" / "ATCOFF2"            offset of a channel: "ATCOFFn <value>"
//   "ATCOFFn <value>"                stores it and echoes "ATCOFFn <value>"
//   "ATCC" / "ATCF"                  temperature unit: "ATCC OK" / "ATCF OK"; the unit is
//                                    kept in the setting "ATCUNIT" ("C" or "F")
//   "ATCD"                           the poll: "ATCD <temperature>,<humidity>" (setReadings)
#include "instrumentsim.h"

namespace {

const SimModelRegistration zq62({62}, [](InstrumentSimulator& sim, unsigned) {
    sim.addSetting("ATCOFF1", "0.00");
    sim.addSetting("ATCOFF2", "0.00");
    sim.addUnitCommands();
});

} // namespace
