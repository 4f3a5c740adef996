#pragma once

#include <QString>

class QWidget;
class QLabel;

// Enables or disables every input control on a pane (lists, text boxes, check boxes, grids).
void EnablePaneInputs(QWidget *pane, bool enable);

// Ties a control to its visible label: the buddy for the access key, and the label's text as
// the accessible name a screen reader announces.
void SetLabelFor(QLabel *label, QWidget *control);

// Places a widget at a position and size given in twips, relative to its parent.
void PlaceTwips(QWidget *widget, int left, int top, int width, int height);
int WidgetWidthTwips(const QWidget *widget);
int WidgetHeightTwips(const QWidget *widget);
