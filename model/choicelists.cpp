#include "choicelists.h"

#include "globalcodec.h"
#include "globaloptions.h"
#include "layout.h"

namespace
{

using Entries = std::vector<std::string>;

struct NamedList {
    const char *control;
    Entries entries;
};

// The lists that are not global options: the command group's and the grid's.
const std::vector<NamedList> &otherLists()
{
    static const std::vector<NamedList> lists = [] {
        Entries groups;
        for (int g = 0; g < NumGroups; ++g)
            groups.push_back(GroupText(g));
        groups.push_back("Unprogrammed");
        Entries channels;
        for (int c = 0; c < ChansPerGroup; ++c)
            channels.push_back(ChannelText(c));
        return std::vector<NamedList>{
            {"cbGrpAsn", groups},
            {"cbChnAsn", channels},
            {"cbIncomingClone", {"Accept", "Reject"}},
        };
    }();
    return lists;
}

const Entries *findList(const std::string &control)
{
    if (const GlobalOption *option = FindGlobalOption(control))
        return &option->entries();
    for (const NamedList &list : otherLists()) {
        if (control == list.control)
            return &list.entries;
    }
    return nullptr;
}

} // namespace

const std::vector<std::string> &ChoiceList(const std::string &control)
{
    if (const Entries *entries = findList(control))
        return *entries;
    // Arrays of like controls share one list: "cbGrpAsn_3" uses "cbGrpAsn".
    const std::size_t underscore = control.rfind('_');
    if (underscore != std::string::npos && underscore + 1 < control.size() &&
        control.find_first_not_of("0123456789", underscore + 1) == std::string::npos) {
        if (const Entries *entries = findList(control.substr(0, underscore)))
            return *entries;
    }
    static const Entries none;
    return none;
}
