// The two-channel gas transmitter (HV700K3-NB) as the simulator plays it; n is 1 or 2.
//
//   "ATCSINMn", "ATCMODEn", "ATCOFFGn", "ATCOFFTn", "ATCEXTMn", "ATCUSEDn", "ATCTCMPn",
//   "ATCSNAMEn", "ATCWINn", "ATCBLDTM"   stored settings ("KEYn value"; writes echoed)
//   "ATCCSPn"                 the calibration record "ppm,slope,zero,span[,temperature]"
//                             (the temperature from firmware 26, setting "ATCCSPn");
//                             "ATCCSPn <ppm>" calibrates the span and echoes the record
//   "ATCCZRn"                 zero calibration: "ATCCZRn OK"
//   "ATCCALn z,s,p"           manual parameters: stored in the record, echoed
//   "ATCFTRST"                "ATCFTRST OK"
//   "ATCCn" / "ATCFn"         unit of a channel: "ATCCn OK" (setting "ATCUNITn" C or F)
//   "ATCH1" / "ATCH2"         the polls (setReadings)
//   MODBUS settings by installModbus: master rows from firmware 30, "ATCSON" from 42.
#include "instrumentsim.h"
#include "sim_modbus.h"

namespace {

const SimModelRegistration nb({704}, [](InstrumentSimulator& sim, unsigned version) {
    InstrumentSimulator* instrument = &sim;
    const QByteArray record = version >= 26 ? "50,0.5,12.5,340,25" : "50,0.5,12.5,340";
    for (QByteArray const n : {QByteArray("1"), QByteArray("2")}) {
        sim.addSetting("ATCSINM" + n, "1");
        sim.addSetting("ATCMODE" + n, "0");
        sim.addSetting("ATCOFFG" + n, "0.00");
        sim.addSetting("ATCOFFT" + n, "0.00");
        sim.addSetting("ATCEXTM" + n, "1600000000");
        sim.addSetting("ATCUSED" + n, "100");
        sim.addSetting("ATCTCMP" + n, "0");
        sim.addSetting("ATCSNAME" + n, "GAS" + n);
        sim.addSetting("ATCWIN" + n, "5");
        sim.setSetting("ATCUNIT" + n, "C");
        const QByteArray csp = "ATCCSP" + n;
        sim.setSetting(csp, record);
        sim.onCommand(csp, [instrument, csp](InstrumentSimulator::Request const& r) {
            QByteArrayList fields = instrument->setting(csp).split(',');
            if (!r.isQuery()) {
                fields[0] = r.argument;
                instrument->setSetting(csp, fields.join(','));
            }
            return QByteArrayList{csp + " " + fields.join(',')};
        });
        const QByteArray cal = "ATCCAL" + n;
        sim.onCommand(cal, [instrument, csp](InstrumentSimulator::Request const& r) {
            QByteArrayList fields = instrument->setting(csp).split(',');
            const QByteArrayList given = r.argument.split(',');
            const int place[] = {2, 3, 0}; // zero, span, ppm in the record
            for (int i = 0; i < 3 && i < given.size(); ++i)
                fields[place[i]] = given.at(i);
            instrument->setSetting(csp, fields.join(','));
            return QByteArrayList{r.line};
        });
        sim.setReply("ATCCZR" + n, {"ATCCZR" + n + " OK"});
        for (QByteArray const unit : {QByteArray("C"), QByteArray("F")}) {
            sim.onCommand("ATC" + unit + n, [instrument, unit, n](InstrumentSimulator::Request const& r) {
                instrument->setSetting("ATCUNIT" + n, unit);
                return QByteArrayList{r.token + " OK"};
            });
        }
    }
    sim.addSetting("ATCBLDTM", "1500000000");
    sim.setReply("ATCFTRST", {"ATCFTRST OK"});
    sim.setReadings({"12.5", "3.4", "25.1", "100", "0.5", "60"});
    installModbus(sim, version, 30, 42);
});

} // namespace
