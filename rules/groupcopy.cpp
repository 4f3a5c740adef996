#include "groupcopy.h"

#include "dialogs.h"
#include "platform.h"

#include <algorithm>

const char *const CopyMacroInfo = "Select a single Group on the Left to "
                                  "copy from, and check any Groups on the "
                                  "right you wish to paste to.  Then click "
                                  "the Arrow below to perform the copy.  Use "
                                  "the check boxes to limit the data copied.";

namespace
{
struct MissingChoice {
    const char *caption;
    const char *text;
};
constexpr MissingChoice NoSource{"SELECT SOURCE GROUP",
                                 "A Group to copy from must be selected.      "};
constexpr MissingChoice NoDestination{
    "SELECT DESTINATION GROUP(S)", "At least one Group must be selected to paste data to.      "};
constexpr MissingChoice NoData{"SELECT COPY DATA",
                               "Please put a check in either the 'Copy Channel Data'\r\n"
                               "or 'Copy Group Parameters' (or both) check boxes.      "};

bool Missing(const MissingChoice &missing)
{
    platform().dialogs->message(missing.text, missing.caption, MsgButtons::Ok,
                                MsgIcon::Information);
    return false;
}
} // namespace

void CopyGroupData(MemMapImage &mm, int source, int dest, bool channels, bool params)
{
    const int from = params ? 0 : GroupParamBytes;
    const int to = channels ? PageSize : GroupParamBytes;
    for (int offset = from; offset < to; ++offset)
        mm.set(dest + 1, offset, mm.get(source + 1, offset));
}

bool RunGroupCopy(MemMapImage &mm, const GroupCopyChoice &choice)
{
    if (!choice.source)
        return Missing(NoSource);
    const auto &dests = choice.destinations;
    if (std::find(dests.begin(), dests.end(), true) == dests.end())
        return Missing(NoDestination);
    if (!choice.channels && !choice.params)
        return Missing(NoData);
    for (int d = 0; d < int(dests.size()); ++d) {
        if (dests[d] && d != *choice.source)
            CopyGroupData(mm, *choice.source, d, choice.channels, choice.params);
    }
    return true;
}
