#pragma once

class QWidget;

// The Tune command: the "TUNE: WARNING" question while it is wanted, then the Tune window,
// modal over parent, with the status texts around it.
void LaunchTune(QWidget *parent);
