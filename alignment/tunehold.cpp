#include "tunehold.h"

#include "linkstate.h"
#include "platform.h"
#include "serialdevices.h"

#include <string>

bool HoldTuneDevice()
{
    SerialPort *serial = platform().serial;
    const std::string device = CommPortDevice(m_iCommPort);
    if (!serial || device.empty())
        return true; // the hook says what is missing
    if (!serial->isOpen())
        serial->selectDevice(device);
    if (serial->hold(true))
        return true;
    if (platform().dialogs)
        platform().dialogs->message(
            "Comm Port " + std::to_string(m_iCommPort) + " (" + device +
                ") is in use by another program, perhaps a Tune screen working on the same "
                "radio.\r\nOnly one Tune screen at a time may work on a radio: finish the run "
                "there and close it, then try again.",
            "TUNE", MsgButtons::Ok, MsgIcon::Exclamation);
    return false;
}

void ReleaseTuneDevice()
{
    if (platform().serial)
        platform().serial->hold(false);
}
