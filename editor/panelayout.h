#pragma once

// Building and arranging the controls of the settings panes. Sizes and places are in twips,
// relative to the control's parent.

#include <QString>

#include <functional>
#include <vector>

class QComboBox;
struct GlobalOption;
class QLabel;
class QWidget;

// Rows of the settings panes are this far apart.
constexpr int PaneRowPitch = 315;

QLabel *MakeLabel(QWidget *parent, const QString &name, const QString &caption);
// A drop-down list named after its control; LoadComboBoxes fills it.
QComboBox *MakeChoiceBox(QWidget *parent, const QString &name);
// The caption and the list of a global option, named after its control and tied together for
// the keyboard and assistive technology; Enter moves on from the list. A choice is stored
// through the option's row, marks the data changed and then calls shown, which is to show
// every list of the pane as stored: the row's follow-up may have changed another option.
struct LabelledChoice {
    QLabel *label;
    QComboBox *box;
    const GlobalOption *option;
};
LabelledChoice MakeGlobalChoice(QWidget *parent, const GlobalOption &option,
                                std::function<void()> shown);
// Shows the entry of the stored value, and whether the list applies.
void ShowGlobalChoice(const LabelledChoice &choice);
// Fills every named drop-down list below root with its entries, clearing it first.
void LoadComboBoxes(QWidget *root);

// A control's natural height in twips.
int NaturalHeight(const QWidget *w);
// Width of the widest label, as a whole number of twips.
int WidestLabel(const std::vector<QLabel *> &labels);

// Places a label ending 30 before its control at controlLeft, and the control centred
// vertically on the label. height 0 keeps the control's natural height.
void PlaceLabelled(QLabel *label, QWidget *control, int controlLeft, int top, int width,
                   int height = 0);

// Shows the list entry of a position; a position no entry stands for shows no entry.
void ShowListPosition(QComboBox *box, int position);

// The widest natural width among controls, in twips, and at least minimum.
int WidestControl(const std::vector<QWidget *> &controls, int minimum);
// Where a settings pane's first row goes: 300 below its top, or lower if its title needs it.
int PaneFirstRowTop(const QWidget *pane);
// The distance between rows: PaneRowPitch, or more where the style draws taller controls, so
// that rows never overlap.
int RowPitch(const QWidget *sample);
