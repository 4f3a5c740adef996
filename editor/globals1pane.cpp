#include "globals1pane.h"

#include "fieldedit.h"
#include "freqcodec.h"
#include "globalcodec.h"
#include "caption.h"
#include "globaloptions.h"
#include "windowservices.h"
#include "memmap.h"
#include "panecontrols.h"
#include "panelayout.h"
#include "textmeasure.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

namespace
{
constexpr int ListWidth = 1800;
constexpr int SwitchListWidth = 1400;
constexpr int ColumnGap = 300;
} // namespace

Globals1Pane::Globals1Pane(QWidget *parent)
    : QGroupBox(QStringLiteral("Global Settings (1)"), parent)
{
    setObjectName(QStringLiteral("fraGlobalSettings1"));
    setFont(GridFont());

    // Created in tab order: group one, the switches, then the right-hand column.
    m_groupOne = addChoices(GlobalFrame::GroupOne);
    m_lblSwitchHeading = MakeLabel(this, QStringLiteral("lblSwitchAssignments"),
                                   QStringLiteral("Switch Assignments:"));
    QFont bold = font();
    bold.setBold(true);
    m_lblSwitchHeading->setFont(bold);
    m_switchRows = addChoices(GlobalFrame::Switches);

    m_lblEmbededSNCaption = MakeLabel(this, QStringLiteral("lblEmbededSNCaption"),
                                      QStringLiteral("Embeded Serial Number:"));
    m_lblEmbededSN = MakeLabel(this, QStringLiteral("lblEmbededSN"), QString());
    m_lblEmbededSN->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_lblNullFreqSub = MakeLabel(this, QStringLiteral("lblNullFreqSub"),
                                 QStringLiteral("Null Frequency Substitution:"));
    m_txtNullFreqSub = new QLineEdit(this);
    m_txtNullFreqSub->setObjectName(QStringLiteral("txtNullFreqSub"));
    SetLabelFor(m_lblNullFreqSub, m_txtNullFreqSub);
    m_nullFreqRule = new TextFieldRule(m_txtNullFreqSub, [this] {
        ShowFieldEdit(m_txtNullFreqSub,
                      EditNullFreqSub(MemMap, m_txtNullFreqSub->text().toStdString(),
                                      m_nullFreqRule->savedText()));
    });
    m_groupTwo = addChoices(GlobalFrame::GroupTwo);

    m_chkBeepDisable = new QCheckBox(
        QStringLiteral("Silent Mode (Blocks all beeps,\r\nalerts and tones from speaker)"), this);
    m_chkBeepDisable->setObjectName(QStringLiteral("chkBeepDisable"));
    m_chkBeepDisable->setAccessibleName(
        QStringLiteral("Silent Mode (Blocks all beeps, alerts and tones from speaker)"));
    connect(m_chkBeepDisable, &QCheckBox::clicked, this, [](bool checked) {
        if (checked != GetSilentMode(MemMap)) {
            SetSilentMode(MemMap, checked);
            MarkDataChanged();
        }
    });

    LoadComboBoxes(this);
    hide();
}

Globals1Pane::~Globals1Pane()
{
    // A focused field destroyed with the window is not an edit.
    delete m_nullFreqRule;
}

std::vector<Globals1Pane::Row> Globals1Pane::addChoices(GlobalFrame frame)
{
    std::vector<Row> rows;
    for (const GlobalOption *option : GlobalOptionsIn(frame))
        rows.push_back(MakeGlobalChoice(this, *option, [this] { loadLists(); }));
    return rows;
}

void Globals1Pane::loadLists()
{
    for (const std::vector<Row> *rows : {&m_groupOne, &m_switchRows, &m_groupTwo}) {
        for (const Row &row : *rows)
            ShowGlobalChoice(row);
    }
}

void Globals1Pane::SetupGlobals1Frame()
{
    auto labelsOf = [](const std::vector<Row> &rows) {
        std::vector<QLabel *> labels;
        for (const Row &row : rows)
            labels.push_back(row.label);
        return labels;
    };
    auto boxesOf = [](const std::vector<Row> &rows) {
        std::vector<QWidget *> boxes;
        for (const Row &row : rows)
            boxes.push_back(row.box);
        return boxes;
    };
    // Left column: group one, then the switch assignments under their heading.
    const int firstTop = PaneFirstRowTop(this);
    const int pitch = RowPitch(m_groupOne.front().box);
    const int groupOneLeft = WidestLabel(labelsOf(m_groupOne)) + 150;
    const int groupOneWidth = WidestControl(boxesOf(m_groupOne), ListWidth);
    int top = firstTop;
    for (const Row &row : m_groupOne) {
        PlaceLabelled(row.label, row.box, groupOneLeft, top, groupOneWidth);
        top += pitch;
    }
    const int headingTop = top + 120;
    PlaceTwips(m_lblSwitchHeading, 120, headingTop, WidestLabel({m_lblSwitchHeading}),
               NaturalHeight(m_lblSwitchHeading));
    const int switchLeft = WidestLabel(labelsOf(m_switchRows)) + 150;
    const int switchWidth = WidestControl(boxesOf(m_switchRows), SwitchListWidth);
    top = headingTop + NaturalHeight(m_lblSwitchHeading) + 90;
    for (const Row &row : m_switchRows) {
        PlaceLabelled(row.label, row.box, switchLeft, top, switchWidth);
        top += pitch;
    }

    // Right column: the serial number and group two, their labels in a column of their own.
    // Its lists give up width before anything leaves the pane.
    const int columnLeft =
        std::max(groupOneLeft + groupOneWidth, switchLeft + switchWidth) + ColumnGap;
    std::vector<QLabel *> labels = labelsOf(m_groupTwo);
    labels.push_back(m_lblEmbededSNCaption);
    labels.push_back(m_lblNullFreqSub);
    const int labelWidth = WidestLabel(labels);
    const int groupTwoLeft = columnLeft + labelWidth + 30;
    const int room = PixelsToTwips(contentsRect().right(), ScreenDpi()) - 90 - groupTwoLeft;
    const int groupTwoWidth =
        std::max(std::min(ListWidth, room), WidestControl(boxesOf(m_groupTwo), 0));
    top = firstTop;
    PlaceLabelled(m_lblEmbededSNCaption, m_lblEmbededSN, groupTwoLeft, top, groupTwoWidth,
                  NaturalHeight(m_lblEmbededSNCaption));
    top += pitch;
    PlaceLabelled(m_lblNullFreqSub, m_txtNullFreqSub, groupTwoLeft, top, groupTwoWidth,
                  NaturalHeight(m_groupOne.front().box));
    int lastBottom = 0;
    for (const Row &row : m_groupTwo) {
        top += pitch;
        PlaceLabelled(row.label, row.box, groupTwoLeft, top, groupTwoWidth);
        lastBottom = top + NaturalHeight(row.box);
    }
    const QSize check = m_chkBeepDisable->sizeHint();
    PlaceTwips(m_chkBeepDisable, columnLeft, lastBottom + 120,
               PixelsToTwips(check.width(), ScreenDpi()),
               PixelsToTwips(check.height(), ScreenDpi()));
}

void Globals1Pane::LoadGlobalSettings()
{
    loadLists();
    const QString serial = QString::fromStdString(GetEmbeddedSN(MemMap));
    m_lblEmbededSN->setText(serial);
    // A screen reader reads the number with its caption.
    m_lblEmbededSN->setAccessibleName(m_lblEmbededSNCaption->text() + QLatin1Char(' ') + serial);
    m_txtNullFreqSub->setText(QString::fromStdString(GetNullFreqSub(MemMap)));
    m_chkBeepDisable->setChecked(GetSilentMode(MemMap));
}

void Globals1Pane::CommitPendingEdit()
{
    if (m_txtNullFreqSub->hasFocus())
        m_nullFreqRule->commit();
}
