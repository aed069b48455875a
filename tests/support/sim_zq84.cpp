// The ZQ84 electrochemical gas unit as the simulator plays it; its firmware version gates:
//
//   "ATCMODE" / "ATCOFF1" / "ATCOFF2"   stored settings: query "KEY v", "KEY v" stores and echoes
//   "ATCTCMP" / "ATCWIN" / "ATCBLDTM"   likewise from firmware 5; below it unanswered
//   "ATCCSP"                            the record "ATCCSP <ppm>,<slope>,<zero>,<span>", from
//                                       firmware 11 with ",<temp>" (settings "PPM", "SLOPE",
//                                       "ZERO", "SPAN", "TEMP"); "ATCCSP <ppm>" stores the
//                                       span-gas ppm and echoes the record
//   "ATCCAL a,b,c"                      stored in the firmware's order (up to 4: ppm,zero,span;
//                                       from 5: zero,span,ppm) and echoed
//   "ATCCZR"                            "ATCCZR <zero>"
//   "ATCEXTM" / "ATCUSED"               times and hours; "ATCEXTM <t>" stores
//   "ATCC" / "ATCF"                     "ATCC OK" / "ATCF OK"
//   "ATCH"                              the six-field poll (setReadings)
#include "instrumentsim.h"

namespace {

const SimModelRegistration zq84({84}, [](InstrumentSimulator& sim, unsigned version) {
    InstrumentSimulator* s = &sim;
    sim.addSetting("ATCMODE", "0");
    sim.addSetting("ATCOFF1", "0.00");
    sim.addSetting("ATCOFF2", "0.00");
    sim.addSetting("ATCEXTM", "1600000000");
    sim.addSetting("ATCUSED", "1234");
    if (version >= 5) {
        sim.addSetting("ATCTCMP", "0");
        sim.addSetting("ATCWIN", "5");
        sim.addSetting("ATCBLDTM", "1500000000");
    }
    sim.setSetting("PPM", "500.00");
    sim.setSetting("SLOPE", "0.12345");
    sim.setSetting("ZERO", "120.5");
    sim.setSetting("SPAN", "3000");
    sim.setSetting("TEMP", "24.8");
    auto record = [s, version] {
        QByteArray r = s->setting("PPM") + "," + s->setting("SLOPE") + "," + s->setting("ZERO") + "," + s->setting("SPAN");
        return version >= 11 ? r + "," + s->setting("TEMP") : r;
    };
    sim.onCommand("ATCCSP", [s, record](InstrumentSimulator::Request const& r) {
        if (!r.isQuery())
            s->setSetting("PPM", r.argument);
        return QByteArrayList{"ATCCSP " + record()};
    });
    sim.onCommand("ATCCAL", [s, version](InstrumentSimulator::Request const& r) {
        QByteArrayList v = r.argument.split(',');
        while (v.size() < 3)
            v << QByteArray();
        const QByteArrayList keys = version <= 4 ? QByteArrayList{"PPM", "ZERO", "SPAN"} : QByteArrayList{"ZERO", "SPAN", "PPM"};
        for (int i = 0; i < 3; ++i)
            s->setSetting(keys.at(i), v.at(i));
        return QByteArrayList{"ATCCAL " + r.argument};
    });
    sim.onCommand("ATCCZR", [s](InstrumentSimulator::Request const&) {
        return QByteArrayList{"ATCCZR " + s->setting("ZERO")};
    });
    for (QByteArray const unit : {QByteArray("ATCC"), QByteArray("ATCF")})
        sim.setReply(unit, {unit + " OK"});
    sim.setReadings({"100", "5.0", "23.1", "2500", "0.5", "500"});
});

} // namespace
