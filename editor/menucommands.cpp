#include "menucommands.h"

#include "tunelaunch.h"

#include <QApplication>

void TuneCommand()
{
    LaunchTune(QApplication::activeWindow());
}
