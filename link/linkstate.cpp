#include "linkstate.h"

bool g_bHooked = false;
int g_iCommPort = 1;
int m_iCommPort = 1;
int m_iBaudIndex = 0;
long m_lBaudRate = 4800;
bool m_bPortOpen = false;
volatile std::sig_atomic_t g_iStopSignal = 0;
long g_lWriteCommandsSent = 0;

void ResetLinkState()
{
    g_bHooked = false;
    g_iCommPort = 1;
    m_iCommPort = 1;
    m_iBaudIndex = 0;
    m_lBaudRate = 4800;
    m_bPortOpen = false;
    g_iStopSignal = 0;
}
