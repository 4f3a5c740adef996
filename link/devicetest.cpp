#include "devicetest.h"

#include "baudrates.h"
#include "eeprotocol.h"
#include "globalcodec.h"
#include "linkstate.h"
#include "platform.h"
#include "portchoice.h"
#include "serialdevices.h"
#include "transactions.h"

namespace
{

constexpr int HookTries = 3;

// Keeps the first message the link raises and answers every question with Ok.
class GatheredMessages : public Dialogs
{
public:
    explicit GatheredMessages(Dialogs *shown) : m_shown(shown) {}

    MsgAnswer message(const std::string &text, const std::string &caption, MsgButtons,
                      MsgIcon) override
    {
        // A lower rate the radio chose is news the result carries anyway.
        if (first.empty() && caption != "NEW BAUD RATE")
            first = text;
        return MsgAnswer::Ok;
    }
    std::optional<std::string> input(const std::string &, const std::string &,
                                     const std::string &) override
    {
        return std::nullopt;
    }
    std::optional<std::string> openFile(const FileDialogRequest &) override { return {}; }
    std::optional<std::string> saveFile(const FileDialogRequest &) override { return {}; }
    ExitChoice askExit(const ExitQuestion &q) override
    {
        return m_shown ? m_shown->askExit(q) : ExitChoice::Cancel;
    }
    void showTable(const TableRequest &) override {}

    std::string first;

private:
    Dialogs *m_shown;
};

// The line a message box would have shown, on one line.
std::string OneLine(std::string text)
{
    std::string line;
    for (char c : text) {
        if (c == '\r' || c == '\n')
            c = ' ';
        if (c != ' ' || (!line.empty() && line.back() != ' '))
            line += c;
    }
    while (!line.empty() && line.back() == ' ')
        line.pop_back();
    return line;
}

} // namespace

DeviceTestResult TestRadioOnDevice(const std::string &device, long rate)
{
    DeviceTestResult result;
    Platform &p = platform();
    if (m_bPortOpen)
        OpenCommPort(false);
    const int commPort = g_iCommPort;
    const int baudIndex = m_iBaudIndex;
    // The hook reports a rate it had to step down to here; one it takes stays as asked.
    m_iBaudIndex = BaudIndexOfRate(rate);
    m_lBaudRate = BaudRateOfIndex(m_iBaudIndex);
    GatheredMessages messages(p.dialogs);
    Dialogs *shown = p.dialogs;
    p.dialogs = &messages;
    SetTestedDevice(device);

    const int hooked = HookRadio(TestedPort, HookTries, rate);
    result.rate = m_lBaudRate;
    if (hooked == 1) {
        result.radio = true;
        MemMapImage image;
        if (ReadRadioPages(image, RadioPages::Globals, 0, "Testing"))
            result.serial = GetEmbeddedSN(image);
        else
            result.message = "the radio stopped answering";
    } else {
        if (hooked == 0)
            UnhookRadio(true);
        result.rate = 0;
        result.message = hooked == 0 ? "no radio answered" : "the device cannot be opened";
    }
    if (p.serial && p.serial->isOpen())
        p.serial->close();
    m_bPortOpen = false;

    SetTestedDevice({});
    p.dialogs = shown;
    g_iCommPort = commPort;
    // The Options menu's choice stays, whatever the hook stepped down to.
    m_iBaudIndex = baudIndex;
    SetBaudRate();
    if (!messages.first.empty())
        result.message = OneLine(messages.first);
    return result;
}
