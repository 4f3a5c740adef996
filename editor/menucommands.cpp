#include "menucommands.h"

#include "caption.h"
#include "tunelaunch.h"
#include "windowservices.h"

#include <QApplication>

// These features are not in this version yet; say so instead of doing nothing.
static void NotAvailable(const std::string &feature)
{
    StatusMsg(feature + " is not available in this version.....");
}

void TuneCommand()
{
    LaunchTune(QApplication::activeWindow());
}

void EditCopyCommand()
{
    NotAvailable("Copy");
}

void EditPasteCommand()
{
    NotAvailable("Paste");
}

void CopyPasteGroupsCommand()
{
    NotAvailable("Copying groups");
}
