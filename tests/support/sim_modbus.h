#ifndef SIM_MODBUS_H
#define SIM_MODBUS_H

class InstrumentSimulator;

// The eleven RS485/MODBUS settings of the HV700 instruments (KW, LX, NB, VD), as
// stored settings: the query "KEY" answers "KEY value", "KEY v" stores v and echoes
// "KEY v". The master settings (ATCISMST, ATCMODCH, ATCMSTID, ATCRLYNO, ATCPPMMAX,
// ATCRLYDLY) exist from masterGate, ATCSON from rs485Gate; below its gate a command is
// left unanswered. Defaults: baud index 1, time-out 0, no byte swap, slave ID 54, slave
// mode, threshold channel 0, relay slave ID 1, relay 1, threshold 100, holding 1 min,
// RS485 on.
void installModbus(InstrumentSimulator& sim, unsigned version, unsigned masterGate, unsigned rs485Gate);

#endif
