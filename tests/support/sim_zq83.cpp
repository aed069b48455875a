// The electrochemical gas units ZQ83 and ZQ84 as the simulator plays them. Both:
//
//   "ATCMODE" / "ATCOFF1" / "ATCOFF2"  stored settings: query "KEY v", "KEY v" stores and echoes
//   "ATCEXTM" / "ATCUSED"              last calibration time (seconds since 1970) and hours;
//                                      "ATCEXTM <t>" stores
//   "ATCCZR"                           "ATCCZR <zero>" (setting "ZERO"; "TEMP" the temperature)
//   "ATCC" / "ATCF"                    "ATCC OK" / "ATCF OK"
//   "ATCH"                             the six-field poll (setReadings)
//
// The ZQ83 (any firmware) besides:
//   "ATCTCMP" / "ATCWIN" / "ATCBLDTM"  stored settings
//   "ATCCSP"                           the record "ATCCSP <zero>,<slope>,<temp>" (settings
//                                      "ZERO", "SLOPE", "TEMP"); "ATCCSP <slope>" stores the
//                                      slope and echoes the record
//   "ATCCAL <zero>,<slope>"            stores both, echoes "ATCCAL <zero>,<slope>"
// The ZQ84: tests/support/sim_zq84.cpp.
#include "instrumentsim.h"

namespace {

const SimModelRegistration echem({83, 84}, [](InstrumentSimulator& sim, unsigned) {
    InstrumentSimulator* s = &sim;
    sim.addSetting("ATCMODE", "0");
    sim.addSetting("ATCOFF1", "0.00");
    sim.addSetting("ATCOFF2", "0.00");
    sim.addSetting("ATCEXTM", "1600000000");
    sim.addSetting("ATCUSED", "1234");
    sim.setSetting("ZERO", "120.5");
    sim.setSetting("TEMP", "24.8");
    sim.onCommand("ATCCZR", [s](InstrumentSimulator::Request const&) {
        return QByteArrayList{"ATCCZR " + s->setting("ZERO")};
    });
    for (QByteArray const unit : {QByteArray("ATCC"), QByteArray("ATCF")})
        sim.setReply(unit, {unit + " OK"});
    sim.setReadings({"100", "5.0", "23.1", "2500", "0.5", "500"});
});

const SimModelRegistration zq83({83}, [](InstrumentSimulator& sim, unsigned) {
    InstrumentSimulator* s = &sim;
    sim.addSetting("ATCTCMP", "0");
    sim.addSetting("ATCWIN", "5");
    sim.addSetting("ATCBLDTM", "1500000000");
    sim.setSetting("SLOPE", "35.20");
    auto record = [s] { return s->setting("ZERO") + "," + s->setting("SLOPE") + "," + s->setting("TEMP"); };
    sim.onCommand("ATCCSP", [s, record](InstrumentSimulator::Request const& r) {
        if (!r.isQuery())
            s->setSetting("SLOPE", r.argument);
        return QByteArrayList{"ATCCSP " + record()};
    });
    sim.onCommand("ATCCAL", [s](InstrumentSimulator::Request const& r) {
        const QByteArrayList values = r.argument.split(',');
        s->setSetting("ZERO", values.value(0));
        s->setSetting("SLOPE", values.value(1));
        return QByteArrayList{"ATCCAL " + r.argument};
    });
});

} // namespace
