// The ZQ63 (two channels), ZQ65 and ZQ67 (one channel) temperature units as the simulator
// plays them.
//
//   "ATCOFFn"                        offset of channel n: "ATCOFFn <value>"
//   "ATCCHnLO" / "HI" / "CLO" / "CHI" sensing range and the stored correction points
//   "ATCCHnWIN"                      sensitivity (ZQ63 from firmware 23, ZQ65 from 20)
//   "ATCEXTM" / "ATCBLDTM"           last-calibration and build time (ZQ65 from firmware 20)
//   "KEY <value>"                    stores the value and echoes "KEY <value>"
//   "ATCC" / "ATCF"                  temperature unit: "ATCC OK" / "ATCF OK" ("ATCUNIT")
//   "ATCD"                           the poll: one field on ZQ65 and ZQ67, two on ZQ63
#include "instrumentsim.h"

// Also the ZQ74's channels (sim_zq74.cpp).
void addTemperatureChannels(InstrumentSimulator& sim, int channels, bool sensitivity)
{
    for (int n = 1; n <= channels; ++n) {
        const QByteArray ch = QByteArray::number(n);
        sim.addSetting("ATCOFF" + ch, "0.00");
        sim.addSetting("ATCCH" + ch + "LO", "-50.00");
        sim.addSetting("ATCCH" + ch + "HI", "150.00");
        sim.addSetting("ATCCH" + ch + "CLO", "-50.00");
        sim.addSetting("ATCCH" + ch + "CHI", "150.00");
        if (sensitivity)
            sim.addSetting("ATCCH" + ch + "WIN", "5");
    }
}

namespace {

const SimModelRegistration zq63({63, 65, 67}, [](InstrumentSimulator& sim, unsigned version) {
    // The model code is not passed: the identification names it.
    const QByteArray model = sim.identification().left(4);
    const bool twoChannels = model == "ZQ63";
    const bool zq65From20 = model == "ZQ65" && version >= 20;
    addTemperatureChannels(sim, twoChannels ? 2 : 1, (twoChannels && version >= 23) || zq65From20);
    if (zq65From20) {
        sim.addSetting("ATCEXTM", "1700000000");
        sim.addSetting("ATCBLDTM", "1600000000");
    }
    if (!twoChannels)
        sim.setReadings({"0.00"});
    sim.addUnitCommands();
});

} // namespace
