#include "chanmoves.h"

#include "chanrecord.h"
#include "defaultimage.h"
#include "dialogs.h"
#include "freqcodec.h"
#include "layout.h"
#include "numtext.h"
#include "platform.h"

#include <algorithm>
#include <numeric>

namespace
{
const char *const InsertCaption = "INSERT CHANNEL";
const char *const DeleteCaption = "DELETE CHANNEL";
const char *const MoveCaption = "MOVE CHANNEL";
const char *const SortCaption = "SORT CHANNELS";

// A global setting naming a channel of a group: its group byte and its channel byte.
struct ChannelReference {
    const char *name;
    int groupOffset;
    int chanOffset;
    bool priority; // bit 7 off, bit 6 the MAIN channel, bits 0-4 the channel
};

constexpr ChannelReference PriorityReferences[] = {
    {"Priority 1 Channel", Layout::GlbPrio1Group, Layout::GlbPrio1Chan, true},
    {"Priority 2 Channel", Layout::GlbPrio2Group, Layout::GlbPrio2Chan, true},
};

std::vector<ChannelReference> References()
{
    std::vector<ChannelReference> refs(std::begin(PriorityReferences),
                                       std::end(PriorityReferences));
    for (int k = 0; k < Layout::CommandGroupEntries; ++k)
        refs.push_back(
            {nullptr, Layout::GlbCommandGroup + 2 * k, Layout::GlbCommandGroup + 2 * k + 1, false});
    return refs;
}

std::string ReferenceName(const ChannelReference &ref)
{
    if (ref.name)
        return ref.name;
    return "Command Group entry " +
           std::to_string((ref.groupOffset - Layout::GlbCommandGroup) / 2 + 1);
}

bool IsInactive(const MemMapImage &mm, int group, int chan)
{
    const int base = Layout::ChanRecord(chan) + Layout::ChRxFreq;
    const int page = Layout::GroupPage(group);
    return mm.get(page, base) == 0 && mm.get(page, base + 1) == 0;
}

void CopyRecord(const MemMapImage &from, int fromGroup, int fromChan, MemMapImage &to, int group,
                int chan)
{
    for (int f = 0; f < Layout::ChanRecordSize; ++f)
        to.set(Layout::GroupPage(group), Layout::ChanRecord(chan) + f,
               from.get(Layout::GroupPage(fromGroup), Layout::ChanRecord(fromChan) + f));
}

const MemMapImage &InactiveImage()
{
    static const MemMapImage image = [] {
        MemMapImage mm;
        LoadDefaultImage(mm);
        for (int chan = 0; chan < ChansPerGroup; ++chan)
            SetChanFreq(mm, 0, chan, true, "Inactive");
        return mm;
    }();
    return image;
}

void ReportLost(const std::vector<std::string> &lost, int group, const char *caption)
{
    if (lost.empty())
        return;
    std::string text = "These settings named a channel that is no longer in Group " +
                       std::to_string(group + 1) + " and were left as they are:";
    for (const std::string &name : lost)
        text += "\r\n" + name;
    platform().dialogs->message(text, caption, MsgButtons::Ok, MsgIcon::Information);
}

bool Apply(MemMapImage &mm, int group, const ChannelOrder &order, const char *caption)
{
    if (order == SameOrder())
        return false;
    const MemMapImage before = mm;
    ReportLost(ReorderChannels(mm, group, order), group, caption);
    return mm != before;
}
} // namespace

ChannelOrder SameOrder()
{
    ChannelOrder order;
    std::iota(order.begin(), order.end(), 0);
    return order;
}

ChannelOrder InsertOrder(int chan)
{
    ChannelOrder order = SameOrder();
    for (int i = chan + 1; i < ChansPerGroup; ++i)
        order[i] = i - 1;
    order[chan] = -1;
    return order;
}

ChannelOrder DeleteOrder(int first, int last)
{
    ChannelOrder order = SameOrder();
    const int count = last - first + 1;
    for (int i = first; i < ChansPerGroup; ++i)
        order[i] = i + count < ChansPerGroup ? i + count : -1;
    return order;
}

ChannelOrder MoveOrder(int first, int last, int by)
{
    ChannelOrder order = SameOrder();
    if (first + by < 0 || last + by >= ChansPerGroup)
        return order;
    // The neighbour the block passes takes the place the block left.
    const int passed = by < 0 ? first - 1 : last + 1;
    for (int i = first; i <= last; ++i)
        order[i + by] = i;
    order[by < 0 ? last : first] = passed;
    return order;
}

ChannelOrder SortOrder(const MemMapImage &mm, int group, SortKey key)
{
    const int page = Layout::GroupPage(group);
    auto freq = [&](int chan, int field) {
        const int at = Layout::ChanRecord(chan) + field;
        const int steps = mm.get(page, at) * 256 + mm.get(page, at + 1);
        return steps == 0 ? 0x10000 : steps; // none after every frequency
    };
    auto less = [&](int a, int b) {
        const bool offA = IsInactive(mm, group, a), offB = IsInactive(mm, group, b);
        if (offA != offB)
            return offB;
        if (offA)
            return false;
        switch (key) {
        case SortKey::RxFreq:
            return freq(a, Layout::ChRxFreq) < freq(b, Layout::ChRxFreq);
        case SortKey::TxFreq:
            return freq(a, Layout::ChTxFreq) < freq(b, Layout::ChTxFreq);
        case SortKey::Label:
            return GetChanLabel(mm, group, a) < GetChanLabel(mm, group, b);
        }
        return false;
    };
    ChannelOrder order = SameOrder();
    std::stable_sort(order.begin(), order.end(), less);
    return order;
}

std::vector<std::string> ReorderChannels(MemMapImage &mm, int group, const ChannelOrder &from)
{
    const MemMapImage before = mm;
    std::array<int, ChansPerGroup> to;
    to.fill(-1);
    for (int i = 0; i < ChansPerGroup; ++i) {
        if (from[i] >= 0) {
            CopyRecord(before, group, from[i], mm, group, i);
            to[from[i]] = i;
        } else {
            CopyRecord(InactiveImage(), 0, i, mm, group, i);
        }
    }
    std::vector<std::string> lost;
    const int page = Layout::GlobalPage;
    for (const ChannelReference &ref : References()) {
        if (mm.get(page, ref.groupOffset) != group)
            continue;
        const int value = mm.get(page, ref.chanOffset);
        if (ref.priority && (value & 0xC0))
            continue; // off or the MAIN channel: no channel named
        const int chan = ref.priority ? value & 0x1F : value;
        if (chan >= ChansPerGroup)
            continue;
        if (to[chan] < 0)
            lost.push_back(ReferenceName(ref) + " (Channel " + std::to_string(chan + 1) + ")");
        else
            mm.set(page, ref.chanOffset, ref.priority ? (value & ~0x1F) | to[chan] : to[chan]);
    }
    return lost;
}

std::string LostChannelQuestion(const MemMapImage &mm, int group, int chan)
{
    std::string label = GetChanLabel(mm, group, chan);
    label.erase(label.find_last_not_of(' ') + 1);
    return "Channel " + std::to_string(chan + 1) + " (" + label + ", " +
           GetChanFreq(mm, group, chan, true) + ") would be lost. Insert anyway?";
}

bool InsertChannel(MemMapImage &mm, int group, int chan)
{
    const int last = ChansPerGroup - 1;
    if (!IsInactive(mm, group, last) &&
        platform().dialogs->message(LostChannelQuestion(mm, group, last), InsertCaption,
                                    MsgButtons::YesNo, MsgIcon::Question) != MsgAnswer::Yes)
        return false;
    return Apply(mm, group, InsertOrder(chan), InsertCaption);
}

bool DeleteChannels(MemMapImage &mm, int group, int first, int last)
{
    return Apply(mm, group, DeleteOrder(first, last), DeleteCaption);
}

bool MoveChannels(MemMapImage &mm, int group, int first, int last, int by)
{
    return Apply(mm, group, MoveOrder(first, last, by), MoveCaption);
}

bool SortChannels(MemMapImage &mm, int group, SortKey key)
{
    return Apply(mm, group, SortOrder(mm, group, key), SortCaption);
}
