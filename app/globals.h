#ifndef GLOBALS_H
#define GLOBALS_H

// Settings shared by the whole program.
extern int CommandDelay;   // ms between queuing a panel command and sending it
extern int ChannelCount;   // measuring channels of the connected model
extern int DataInterval;   // poll period in ms; also the chart's sample spacing

// The text that unlocks the log window and the panels' password dialog.
extern const char* const UnlockPassword;

#endif
