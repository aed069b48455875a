// The analog-input units ZQ70A (71), ZQ70B (72, channel 1 only) and ZQ70C (73) as the
// simulator plays them. Every item is a stored setting: the query "KEY" answers
// "KEY <value>", "KEY <value>" stores and echoes it.
//
//   "ATCOFFn"                          offset of channel n
//   "ATCCHnLO" "ATCCHnHI" "ATCCHnM"    scaled range and multiplier
//   "ATCCHnCLO" "ATCCHnCHI"            correction points (the device's readings at the ends)
//   from firmware 16 on:
//   "ATSINM"                           input type 0 4~20 mA, 1 0~20 mA, 2 0~1000 mV
//   "ATCnEMO" "ATCnELO" "ATCnEHI" "ATCnEDI"   event mode 1..4, LO and HI edges, difference
//   "ATETGMO"                          trigger condition (not on the ZQ70B)
//   "ATCD"                             the poll: "ATCD <v1>,<v2>" (ZQ70B: "ATCD <v1>")
// Event lines "ATEC <v1>,<v2>" are sent by the test (sendLine). Faults: setReply or
// onCommand on a token replaces its answer.
#include "instrumentsim.h"

namespace {

void install(InstrumentSimulator& sim, int model, unsigned version)
{
    const int channels = model == 72 ? 1 : 2;
    const bool mv = model == 73;
    for (int n = 1; n <= channels; ++n) {
        const QByteArray c = QByteArray::number(n);
        sim.addSetting("ATCOFF" + c, "0.00");
        sim.addSetting("ATCCH" + c + "LO", "0.00");
        sim.addSetting("ATCCH" + c + "HI", "100.00");
        sim.addSetting("ATCCH" + c + "M", "1.00");
        sim.addSetting("ATCCH" + c + "CLO", mv ? "0.00" : "4.00");
        sim.addSetting("ATCCH" + c + "CHI", mv ? "1000.00" : "20.00");
        if (version >= 16) {
            sim.addSetting("ATC" + c + "EMO", "1");
            sim.addSetting("ATC" + c + "ELO", "0");
            sim.addSetting("ATC" + c + "EHI", "100");
            sim.addSetting("ATC" + c + "EDI", "1");
        }
    }
    if (version >= 16) {
        sim.addSetting("ATSINM", mv ? "2" : "0");
        if (model != 72)
            sim.addSetting("ATETGMO", "0");
    }
    sim.setReadings(channels == 1 ? QByteArrayList{"12.50"} : QByteArrayList{"12.50", "3.75"});
}

const SimModelRegistration zq70a({71}, [](InstrumentSimulator& sim, unsigned version) { install(sim, 71, version); });
const SimModelRegistration zq70b({72}, [](InstrumentSimulator& sim, unsigned version) { install(sim, 72, version); });
const SimModelRegistration zq70c({73}, [](InstrumentSimulator& sim, unsigned version) { install(sim, 73, version); });

} // namespace
