// The ZQ83 electrochemical gas unit as the simulator plays it (any firmware).
//
//   "ATCMODE" / "ATCTCMP" / "ATCWIN"   stored settings: query "KEY v", "KEY v" stores and echoes
//   "ATCOFF1" / "ATCOFF2"              offsets, likewise
//   "ATCCSP"                           the record "ATCCSP <zero>,<slope>,<temp>" (settings
//                                      "ZERO", "SLOPE", "TEMP"); "ATCCSP <slope>" stores the
//                                      slope and echoes the record
//   "ATCCAL <zero>,<slope>"            stores both, echoes "ATCCAL <zero>,<slope>"
//   "ATCCZR"                           "ATCCZR <zero>"
//   "ATCEXTM" / "ATCUSED" / "ATCBLDTM" times and hours (seconds since 1970); "ATCEXTM <t>" stores
//   "ATCC" / "ATCF"                    "ATCC OK" / "ATCF OK"
//   "ATCH"                             the six-field poll (setReadings)
#include "instrumentsim.h"

namespace {

const SimModelRegistration zq83({83}, [](InstrumentSimulator& sim, unsigned) {
    InstrumentSimulator* s = &sim;
    for (const char* key : {"ATCMODE", "ATCTCMP", "ATCWIN"})
        sim.addSetting(key, key == QByteArray("ATCWIN") ? "5" : "0");
    sim.addSetting("ATCOFF1", "0.00");
    sim.addSetting("ATCOFF2", "0.00");
    sim.addSetting("ATCEXTM", "1600000000");
    sim.addSetting("ATCUSED", "1234");
    sim.addSetting("ATCBLDTM", "1500000000");
    sim.setSetting("ZERO", "120.5");
    sim.setSetting("SLOPE", "35.20");
    sim.setSetting("TEMP", "24.8");
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
    sim.onCommand("ATCCZR", [s](InstrumentSimulator::Request const&) {
        return QByteArrayList{"ATCCZR " + s->setting("ZERO")};
    });
    for (QByteArray const unit : {QByteArray("ATCC"), QByteArray("ATCF")})
        sim.setReply(unit, {unit + " OK"});
    sim.setReadings({"100", "5.0", "23.1", "2500", "30", "500"});
});

} // namespace
