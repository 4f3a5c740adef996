#pragma once

// The Tune screen keeps its radio's device to itself while it is open: a run closes the port
// between its steps, and another program that took the radio meanwhile could save the test
// channel as the original and leave it in the radio.

// Locks the device of the chosen port; false, after saying so, when another program holds it.
bool HoldTuneDevice();
void ReleaseTuneDevice();
