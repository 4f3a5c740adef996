#include "caption.h"

#include "appglobals.h"
#include "appsettings.h"
#include "platform.h"
#include "version.h"

std::string DisplayFileName(const std::string &path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string CaptionText(bool modified)
{
    const std::string name = DisplayFileName(g_sCurFileName);
    if (!g_sCurFileName.empty() && g_sCurFileName != g_sFactoryFile)
        return ProgramTitle + " - " + name + (modified ? ModifiedMark : "");
    if (modified)
        return ProgramTitle + " - New File" + ModifiedMark;
    return ProgramTitle + " ver. " + TESSARO_VERSION_TEXT + " - " + name;
}

bool IsDataChanged()
{
    if (!platform().window)
        return false;
    const std::string caption = platform().window->caption();
    return caption.size() >= ModifiedMark.size() &&
           caption.compare(caption.size() - ModifiedMark.size(), ModifiedMark.size(),
                           ModifiedMark) == 0;
}

void SetCaption(bool modified)
{
    if (platform().window)
        platform().window->setCaption(CaptionText(modified));
}

void MarkDataChanged()
{
    if (!g_bLoading)
        SetCaption(true);
}
