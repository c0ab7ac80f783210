// The batteries the system reports, read through the battery device
// interface: name, maker and BATTERY_INFORMATION of each.
#pragma once

#include "details/battery_facts.h"

int const MAX_BATTERIES = 4;

// Fills facts with up to max batteries; how many were found (0: none, or
// no answer).
int ReadBatteryDevices(BatteryFacts* facts, int max);
