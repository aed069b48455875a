#include "sim_modbus.h"

#include "instrumentsim.h"

void installModbus(InstrumentSimulator& sim, unsigned version, unsigned masterGate, unsigned rs485Gate)
{
    sim.addSetting("ATCMODBR", "1");
    sim.addSetting("ATCMODTO", "0");
    sim.addSetting("ATCMODSW", "0");
    sim.addSetting("ATCMODID", "54");
    if (version >= masterGate) {
        sim.addSetting("ATCISMST", "0");
        sim.addSetting("ATCMODCH", "0");
        sim.addSetting("ATCMSTID", "1");
        sim.addSetting("ATCRLYNO", "1");
        sim.addSetting("ATCPPMMAX", "100");
        sim.addSetting("ATCRLYDLY", "1");
    }
    if (version >= rs485Gate)
        sim.addSetting("ATCSON", "1");
}
