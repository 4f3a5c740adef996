#include "menucommands.h"

#include "caption.h"
#include "windowservices.h"

// These features are not in this version yet; say so instead of doing nothing.
static void NotAvailable(const std::string &feature)
{
    StatusMsg(feature + " is not available in this version.....");
}

void PrintAllCommand()
{
    NotAvailable("Printing");
}

void PrintGlobalCommand()
{
    NotAvailable("Printing");
}

void PrintCurrGroupCommand()
{
    NotAvailable("Printing");
}

void PrintSetupCommand()
{
    NotAvailable("Printing");
}

void TuneCommand()
{
    NotAvailable("The alignment screen");
}
