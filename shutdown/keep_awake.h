// Keeps the machine from sleeping by its power plan while an auto-shutdown
// waits for its moment: a system-required power request (powercfg /requests
// lists it with its reason), or the thread's execution state where Windows
// cannot make one. The display still turns off and the screen still locks;
// a sleep the user asks for still sleeps. Either ends with the process.
#pragma once

void KeepAwake();
// Harmless when nothing is held.
void AllowSleep();
bool IsKeptAwake();
