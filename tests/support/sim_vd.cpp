// The HV700_VD particle counter as the simulator plays it.
//
//   "ATCMODE" / "ATCNORML"           output mode 0..3 / counter mode 0..1
//   "ATCOFF1" .. "ATCOFF5"           full-range offsets
//   "ATCEXTM" / "ATCUSED" / "ATCBLDTM"  last calibration time, used hours, build time
//   the eleven MODBUS settings       installModbus (master settings from 23, ATCSON from 25)
//     each query answers "KEY value"; "KEY v" stores v and echoes "KEY v"
//   "ATCFTRST"                       "ATCFTRST OK", every setting back to its default
//                                    (a test makes it refuse with setReply)
//   "ATCH"                           the poll: "ATCH " + six fields (setReadings)
#include "instrumentsim.h"
#include "sim_modbus.h"

namespace {

void installDefaults(InstrumentSimulator& sim, unsigned version)
{
    sim.addSetting("ATCMODE", "0");
    sim.addSetting("ATCNORML", "0");
    for (int n = 1; n <= 5; ++n)
        sim.addSetting("ATCOFF" + QByteArray::number(n), "0.00");
    sim.addSetting("ATCEXTM", "1600000000");
    sim.addSetting("ATCUSED", "120");
    sim.addSetting("ATCBLDTM", "1500000000");
    installModbus(sim, version, 23, 25);
}

const SimModelRegistration vd({703}, [](InstrumentSimulator& sim, unsigned version) {
    installDefaults(sim, version);
    sim.setReadings({"12.5", "20.1", "3", "4", "5", "0.3"});
    InstrumentSimulator* instrument = &sim;
    sim.onCommand("ATCFTRST", [instrument, version](InstrumentSimulator::Request const&) {
        installDefaults(*instrument, version);
        return QByteArrayList{"ATCFTRST OK"};
    });
});

} // namespace
