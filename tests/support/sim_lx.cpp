// The HV700K3-LX four-channel current-input transmitter as the simulator plays it.
//
//   "ATSINMn"                     input type of channel n: "ATSINMn <t>" (0 4~20mA, 1 0~20mA, -1 none)
//   "ATCOFFn"                     offset: "ATCOFFn <value>"
//   "ATCCHnLO" / "HI"             scaled value at the low / high end of the input range
//   "ATCCHnCLO" / "CHI"           reading at the zero / span point
//   "ATCCHnM"                     multiplier
//   every one of these with a value stores it and echoes it
//   the RS485/MODBUS settings     master settings from firmware 33, "ATCSON" from 47
//   "ATCEXTM"                     last calibration time (seconds since 1970), settable
//   "ATCBLDTM"                    build time, a query only, from firmware 20
//   "ATCFTRST"                    "ATCFTRST OK" and every value back to its factory value,
//                                 or "ATCFTRST FAIL" while the setting "ATCFTRSTREPLY" says so
//   "ATCQ"                        the poll: "ATCQ <ch1>,<ch2>,<ch3>,<ch4>" (setReadings)
#include "instrumentsim.h"
#include "sim_modbus.h"

namespace {

QHash<QByteArray, QByteArray> factoryValues()
{
    QHash<QByteArray, QByteArray> values;
    for (int n = 1; n <= 4; ++n) {
        const QByteArray d = QByteArray::number(n);
        values.insert("ATSINM" + d, "0");
        values.insert("ATCOFF" + d, "0.00");
        values.insert("ATCCH" + d + "LO", "0.00");
        values.insert("ATCCH" + d + "HI", "100.00");
        values.insert("ATCCH" + d + "CLO", "4.00");
        values.insert("ATCCH" + d + "CHI", "20.00");
        values.insert("ATCCH" + d + "M", "1.00");
    }
    values.insert("ATCEXTM", "1600000000");
    return values;
}

const SimModelRegistration lx({702}, [](InstrumentSimulator& sim, unsigned version) {
    const auto factory = factoryValues();
    for (auto it = factory.cbegin(); it != factory.cend(); ++it)
        sim.addSetting(it.key(), it.value());
    if (version >= 20)
        sim.onCommand("ATCBLDTM", [](InstrumentSimulator::Request const& request) {
            return request.isQuery() ? QByteArrayList{"ATCBLDTM 1500000000"} : QByteArrayList{};
        });
    installModbus(sim, version, 33, 47);
    sim.setReadings({"4.00", "12.50", "20.00", "----"});
    sim.setSetting("ATCFTRSTREPLY", "OK");
    InstrumentSimulator* instrument = &sim;
    sim.onCommand("ATCFTRST", [instrument, factory](InstrumentSimulator::Request const&) {
        const QByteArray reply = instrument->setting("ATCFTRSTREPLY");
        if (reply == "OK")
            for (auto it = factory.cbegin(); it != factory.cend(); ++it)
                instrument->setSetting(it.key(), it.value());
        return QByteArrayList{"ATCFTRST " + reply};
    });
});

} // namespace
