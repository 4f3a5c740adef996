#pragma once

#include <csignal>

// State of the radio link, shared by the protocol routines and the port and baud choice.
extern bool g_bHooked;   // the radio is in programming mode, as far as we know
extern int g_iCommPort;  // port number the link uses, set by HookRadio
extern int m_iCommPort;  // port chosen in the Options menu, 1..10
extern int m_iBaudIndex; // baud-rate index chosen in the Options menu, 0..5
extern long m_lBaudRate; // bit/s of m_iBaudIndex
extern bool m_bPortOpen; // the port is open, as OpenCommPort last found it

// Back to the state before the main window loads (used by tests).
void ResetLinkState();

// The number of a signal that asked the program to stop, 0 while none did. From then on the
// link sends no further command (what was sent is answered first) and a transaction ends
// failed without a message of its own.
extern volatile std::sig_atomic_t g_iStopSignal;
// Write commands sent to any radio since the program started: a radio read before the last
// one counted may since have been changed.
extern long g_lWriteCommandsSent;
