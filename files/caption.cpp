#include "caption.h"

#include "appglobals.h"
#include "appsettings.h"
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
