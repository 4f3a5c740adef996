#pragma once

#include "twips.h"

#include <QString>

class QWidget;
class QLabel;

// Enables or disables every input control on a pane (lists, text boxes, check boxes, grids).
void EnablePaneInputs(QWidget *pane, bool enable);

// Ties a control to its visible label: the buddy for the access key, and the label's text as
// the accessible name a screen reader announces.
void SetLabelFor(QLabel *label, QWidget *control);

