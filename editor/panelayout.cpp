#include "panelayout.h"

#include "choicelists.h"
#include "fieldedit.h"
#include "globaloptions.h"
#include "caption.h"
#include "memmap.h"
#include "panecontrols.h"
#include "textmeasure.h"
#include "windowlayout.h"

#include <QComboBox>
#include <QLabel>

#include <algorithm>

QLabel *MakeLabel(QWidget *parent, const QString &name, const QString &caption)
{
    auto *label = new QLabel(caption, parent);
    label->setObjectName(name);
    return label;
}

QComboBox *MakeChoiceBox(QWidget *parent, const QString &name)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(name);
    box->setMaxVisibleItems(16);
    return box;
}

void LoadComboBoxes(QWidget *root)
{
    const auto boxes = root->findChildren<QComboBox *>();
    for (QComboBox *box : boxes) {
        const auto &entries = ChoiceList(box->objectName().toStdString());
        if (entries.empty())
            continue;
        const bool blocked = box->blockSignals(true);
        box->clear();
        for (const std::string &entry : entries)
            box->addItem(QString::fromStdString(entry));
        box->blockSignals(blocked);
    }
}

int NaturalHeight(const QWidget *w)
{
    return PixelsToTwips(w->sizeHint().height(), ScreenDpi());
}

int WidestLabel(const std::vector<QLabel *> &labels)
{
    int widest = 0;
    for (const QLabel *label : labels)
        widest = std::max(widest, PixelsToTwips(label->sizeHint().width(), ScreenDpi()));
    return widest;
}

void PlaceLabelled(QLabel *label, QWidget *control, int controlLeft, int top, int width, int height)
{
    const int labelWidth = PixelsToTwips(label->sizeHint().width(), ScreenDpi());
    const int labelHeight = NaturalHeight(label);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    PlaceTwips(label, controlLeft - 30 - labelWidth, top, labelWidth, labelHeight);
    const int controlHeight = height > 0 ? height : NaturalHeight(control);
    PlaceTwips(control, controlLeft, top + labelHeight / 2 - controlHeight / 2, width,
               controlHeight);
}

void ShowListPosition(QComboBox *box, int position)
{
    const bool blocked = box->blockSignals(true);
    box->setCurrentIndex(position >= 0 && position < box->count() ? position : -1);
    box->blockSignals(blocked);
}

int WidestControl(const std::vector<QWidget *> &controls, int minimum)
{
    int widest = minimum;
    for (const QWidget *w : controls)
        widest = std::max(widest, PixelsToTwips(w->sizeHint().width(), ScreenDpi()));
    return widest;
}

int PaneFirstRowTop(const QWidget *pane)
{
    return std::max(300, PixelsToTwips(pane->contentsRect().top(), ScreenDpi()) + 90);
}

int RowPitch(const QWidget *sample)
{
    const double dpi = ScreenDpi();
    return std::max(PaneRowPitch, PixelsToTwips(sample->sizeHint().height() + 1, dpi));
}

LabelledChoice MakeGlobalChoice(QWidget *parent, const GlobalOption &option,
                                std::function<void()> shown)
{
    const QString name = QString::fromLatin1(option.control);
    QLabel *label =
        MakeLabel(parent, QStringLiteral("lbl") + name.mid(2), QString::fromLatin1(option.caption));
    QComboBox *box = MakeChoiceBox(parent, name);
    SetLabelFor(label, box);
    InstallEnterMovesOn(box);
    const GlobalOption *row = &option;
    if (row->enabledRule)
        KeepDisabledWhile(box, [row] { return !row->enabled(MemMap); });
    QObject::connect(box, qOverload<int>(&QComboBox::activated), box,
                     [box, row, shown = std::move(shown)] {
                         if (ChooseGlobalOption(MemMap, *row, box->currentText().toStdString()))
                             MarkDataChanged();
                         shown();
                     });
    return {label, box, row};
}

void ShowGlobalChoice(const LabelledChoice &choice)
{
    ShowListPosition(choice.box, choice.option->position(MemMap));
    if (choice.option->enabledRule)
        choice.box->setEnabled(choice.option->enabled(MemMap));
}
