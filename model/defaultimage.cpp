#include "defaultimage.h"

#include "chanrecord.h"
#include "layout.h"

#include <cstdio>
#include <string>

namespace
{

struct ByteValue {
    int offset;
    int value;
};

// Factory content of the global page; everything else is 0.
constexpr ByteValue DefaultGlobals[] = {
    {Layout::GlbByte5, 25},        {Layout::GlbDtmfAniPorch, 128}, {Layout::GlbSwitchA, 250},
    {Layout::GlbSwitchB, 128},     {Layout::GlbSwitchC, 219},      {Layout::GlbOptions1, 65},
    {Layout::GlbPickListLock, 64}, {Layout::GlbScanHoldTot, 244},  {Layout::GlbModes, 40},
    {Layout::GlbPrio1Chan, 64},    {Layout::GlbPrio2Chan, 128},
};

// Receive frequencies 162.40000 MHz (even channels) and 162.55000 MHz (odd channels).
constexpr std::uint8_t EvenChanRx[2] = {0xC3, 0x00};
constexpr std::uint8_t OddChanRx[2] = {0xC3, 0x78};

std::string numbered(const char *prefix, int number)
{
    char text[16];
    std::snprintf(text, sizeof text, "%s%2d", prefix, number);
    return text;
}

} // namespace

void LoadDefaultImage(MemMapImage &image)
{
    image.clear();
    for (const ByteValue &b : DefaultGlobals)
        image.set(Layout::GlobalPage, b.offset, b.value);
    for (int k = 0; k < Layout::CommandGroupEntries; ++k)
        image.set(Layout::GlobalPage, Layout::GlbCommandGroup + 2 * k, 255);

    for (int group = 0; group < NumGroups; ++group) {
        const int page = Layout::GroupPage(group);
        SetGrpLabel(image, group, numbered("GROUP ", group + 1));
        image.set(page, Layout::GrpScanList, 1);
        for (int chan = 0; chan < ChansPerGroup; ++chan) {
            const int record = Layout::ChanRecord(chan);
            const std::uint8_t *rx = chan % 2 == 0 ? EvenChanRx : OddChanRx;
            image.set(page, record + Layout::ChRxFreq, rx[0]);
            image.set(page, record + Layout::ChRxFreq + 1, rx[1]);
            SetChanLabel(image, group, chan, numbered("Ch ", chan + 1));
        }
    }
}
