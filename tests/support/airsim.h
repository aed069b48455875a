#ifndef AIRSIM_H
#define AIRSIM_H

// Commands several simulated instruments share (tests/support/sim_zq62.cpp, sim_zq8*.cpp).
#include "instrumentsim.h"

namespace airsim {

// A stored setting the instrument has from firmware version gate on (unanswered below).
inline void addSetting(InstrumentSimulator& sim, unsigned version, unsigned gate, QByteArray const& token,
                       QByteArray const& value)
{
    if (version >= gate)
        sim.addSetting(token, value);
}

// "ATCMODE": the sensor mode, 1..highest; a write outside them is refused with
// "ATCMODE ERR" and changes nothing.
inline void addMode(InstrumentSimulator& sim, int highest)
{
    sim.setSetting("ATCMODE", "1");
    InstrumentSimulator* instrument = &sim;
    sim.onCommand("ATCMODE", [instrument, highest](InstrumentSimulator::Request const& request) {
        if (!request.isQuery()) {
            const int mode = request.argument.toInt();
            if (mode < 1 || mode > highest)
                return QByteArrayList{"ATCMODE ERR"};
            instrument->setSetting("ATCMODE", request.argument);
        }
        return QByteArrayList{"ATCMODE " + instrument->setting("ATCMODE")};
    });
}

// Times as the instruments keep them (seconds since 1970).
constexpr const char* kCalibrated = "1700000000"; // 2023-11-14 22:13:20 UTC
constexpr const char* kBuilt = "1600000000";      // 2020-09-13 12:26:40 UTC

} // namespace airsim

#endif
