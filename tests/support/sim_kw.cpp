// The HV700K3-KW four-channel thermocouple transmitter as the simulator plays it.
//
//   per channel n = 1..4 (query "KEYn" answers "KEYn value"; "KEYn v" stores and echoes):
//   "ATCCTSn"                        thermocouple type, 0..7 (default 0, K TYPE)
//   "ATCOFFn"                        offset (default 0.00)
//   "ATCCHnLO" / "ATCCHnHI"          sensing range (default 0.00 / 1200.00)
//   "ATCCHnCLO" / "ATCCHnCHI"        correction points (default 0.00 / 1200.00)
//   "ATCEXTM"                        last calibration time, seconds since 1970
//   "ATCBLDTM"                       build time (firmware 20 and later)
//   "ATCFTRST"                       factory reset: "ATCFTRST OK" and the defaults back,
//                                    or "ATCFTRST FAIL" while the setting "SIM_FTRST" is "FAIL"
//   "ATCC" / "ATCF"                  unit: "ATCC OK" / "ATCF OK" (setting "ATCUNIT" "C"/"F"),
//                                    "ATCC FAIL" / "ATCF FAIL" while "SIM_UNIT" is "FAIL"
//   "ATCQ"                           the poll: "ATCQ <t1>,<t2>,<t3>,<t4>" (setReadings)
//   the eleven MODBUS settings       tests/support/sim_modbus.cpp (gates 33 and 38)
// Commands above the firmware's gates are logged and not answered.
#include "instrumentsim.h"
#include "sim_modbus.h"

namespace {

constexpr unsigned kBuildTimeGate = 20;
constexpr unsigned kMasterGate = 33;
constexpr unsigned kRs485Gate = 38;

void setDefaults(InstrumentSimulator& sim, unsigned version)
{
    for (int n = 1; n <= 4; ++n) {
        const QByteArray digit = QByteArray::number(n);
        sim.addSetting("ATCCTS" + digit, "0");
        sim.addSetting("ATCOFF" + digit, "0.00");
        sim.addSetting("ATCCH" + digit + "LO", "0.00");
        sim.addSetting("ATCCH" + digit + "HI", "1200.00");
        sim.addSetting("ATCCH" + digit + "CLO", "0.00");
        sim.addSetting("ATCCH" + digit + "CHI", "1200.00");
    }
    sim.addSetting("ATCEXTM", "1700000000");
    if (version >= kBuildTimeGate)
        sim.addSetting("ATCBLDTM", "1600000000");
    installModbus(sim, version, kMasterGate, kRs485Gate);
}

const SimModelRegistration kw({701}, [](InstrumentSimulator& sim, unsigned version) {
    sim.setReadings({"25.00", "26.00", "27.00", "28.00"});
    setDefaults(sim, version);
    sim.setSetting("ATCUNIT", "C");
    InstrumentSimulator* instrument = &sim;
    sim.onCommand("ATCFTRST", [instrument, version](InstrumentSimulator::Request const&) {
        if (instrument->setting("SIM_FTRST") == "FAIL")
            return QByteArrayList{"ATCFTRST FAIL"};
        setDefaults(*instrument, version);
        return QByteArrayList{"ATCFTRST OK"};
    });
    for (QByteArray const unit : {QByteArray("C"), QByteArray("F")}) {
        sim.onCommand("ATC" + unit, [instrument, unit](InstrumentSimulator::Request const& request) {
            if (instrument->setting("SIM_UNIT") == "FAIL")
                return QByteArrayList{request.token + " FAIL"};
            instrument->setSetting("ATCUNIT", unit);
            return QByteArrayList{request.token + " OK"};
        });
    }
});

} // namespace
