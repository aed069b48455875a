// The ZQ84 electrochemical gas unit as the simulator plays it, besides the commands it
// shares with the ZQ83 (tests/support/sim_zq83.cpp); its firmware version gates:
//
//   "ATCTCMP" / "ATCWIN" / "ATCBLDTM"   stored settings from firmware 5; below it unanswered
//   "ATCCSP"                            the record "ATCCSP <ppm>,<slope>,<zero>,<span>", from
//                                       firmware 11 with ",<temp>" (settings "PPM", "SLOPE",
//                                       "ZERO", "SPAN", "TEMP"); "ATCCSP <ppm>" stores the
//                                       span-gas ppm and echoes the record
//   "ATCCAL a,b,c"                      stored in the firmware's order (up to 4: ppm,zero,span;
//                                       from 5: zero,span,ppm) and echoed
#include "instrumentsim.h"

namespace {

const SimModelRegistration zq84({84}, [](InstrumentSimulator& sim, unsigned version) {
    InstrumentSimulator* s = &sim;
    if (version >= 5) {
        sim.addSetting("ATCTCMP", "0");
        sim.addSetting("ATCWIN", "5");
        sim.addSetting("ATCBLDTM", "1500000000");
    }
    sim.setSetting("PPM", "500.00");
    sim.setSetting("SLOPE", "0.12345");
    sim.setSetting("SPAN", "3000");
    auto record = [s, version] {
        const QByteArray r = s->setting("PPM") + "," + s->setting("SLOPE") + "," + s->setting("ZERO") + "," + s->setting("SPAN");
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
});

} // namespace
