#include "globals.h"

int CommandDelay = 0;
int ChannelCount = 0;
int DataInterval = 1000;

const char* const UnlockPassword = "pebbletor527";
