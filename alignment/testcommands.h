#pragma once

// The alignment firmware's test commands. Each does nothing and fails unless the radio is
// hooked; none shows a message except SetDigitalPotValue.

bool EnableRXPath();
bool EnterTransparentTXMode();
bool ExitTransparentTXMode();
bool SelectTXTestSource(int operand);
// selector 0 or 1, value 0..255, both checked as unsigned 16-bit numbers.
bool SetDigitalPotValue(int selector, int value);
bool SetPowerCurveDAC(int value, int operand);

// Averaged A/D reading of count samples; -1000 on failure.
int ReadA2DVal(int count, int channel);
// Average of the squelch-noise stream; -10000 (radio released) when it does not come.
int ReadNoiseAverage();

// Hooks with the chosen port and rate, offering Retry until it works or Cancel is chosen.
bool HookTDFx();
