#include "cmdgrouppane.h"

#include "cmdgroupcodec.h"
#include "fieldedit.h"
#include "caption.h"
#include "windowservices.h"
#include "memmap.h"
#include "panecontrols.h"
#include "panelayout.h"
#include "textmeasure.h"
#include "windowlayout.h"

#include <QComboBox>
#include <QLabel>

#include <algorithm>

namespace
{
constexpr int GroupLeft = 1000;
constexpr int GroupWidth = 1500;
constexpr int LabelLeft = 120;
} // namespace

CmdGroupPane::CmdGroupPane(QWidget *parent) : QGroupBox(QStringLiteral("Command Group"), parent)
{
    setObjectName(QStringLiteral("fraCmdGrp"));
    setFont(GridFont());
    m_lblGroupHeading =
        MakeLabel(this, QStringLiteral("lblGrpAsnHeading"), QStringLiteral("Group Assign"));
    m_lblChanHeading =
        MakeLabel(this, QStringLiteral("lblChnAsnHeading"), QStringLiteral("Channel Assign"));
    // The second column of positions repeats the headings.
    m_lblGroupHeading2 =
        MakeLabel(this, QStringLiteral("lblGrpAsnHeading_1"), QStringLiteral("Group Assign"));
    m_lblChanHeading2 =
        MakeLabel(this, QStringLiteral("lblChnAsnHeading_1"), QStringLiteral("Channel Assign"));
    for (int i = 0; i < Positions; ++i) {
        const QString caption = QStringLiteral("Channel %1:").arg(i + 1);
        m_lblPos[i] = MakeLabel(this, QStringLiteral("lblPos_%1").arg(i), caption);
        m_cbGrpAsn[i] = MakeChoiceBox(this, QStringLiteral("cbGrpAsn_%1").arg(i));
        m_cbChnAsn[i] = MakeChoiceBox(this, QStringLiteral("cbChnAsn_%1").arg(i));
        m_lblPos[i]->setBuddy(m_cbGrpAsn[i]);
        m_cbGrpAsn[i]->setAccessibleName(caption + QStringLiteral(" Group Assign"));
        m_cbChnAsn[i]->setAccessibleName(caption + QStringLiteral(" Channel Assign"));
        InstallEnterMovesOn(m_cbGrpAsn[i]);
        InstallEnterMovesOn(m_cbChnAsn[i]);
        connect(m_cbGrpAsn[i], qOverload<int>(&QComboBox::activated), this, [this, i](int p) {
            if (p != GetCmdGrpGroupIndex(MemMap, i)) {
                MarkDataChanged();
                SetCmdGrpGroupIndex(MemMap, i, p);
            }
            m_cbChnAsn[i]->setEnabled(CmdGrpChanEnabled(MemMap, i));
        });
        KeepDisabledWhile(m_cbChnAsn[i], [i] { return !CmdGrpChanEnabled(MemMap, i); });
        connect(m_cbChnAsn[i], qOverload<int>(&QComboBox::activated), this, [i](int p) {
            if (p != GetCmdGrpChanIndex(MemMap, i)) {
                MarkDataChanged();
                SetCmdGrpChanIndex(MemMap, i, p);
            }
        });
    }
    LoadComboBoxes(this);
    hide();
}

void CmdGroupPane::SetupCommandGroupFrame()
{
    const double dpi = ScreenDpi();
    const int rowHeight = NaturalHeight(m_cbGrpAsn[0]);
    const int pitch = RowPitch(m_cbGrpAsn[0]);
    const int headingHeight = NaturalHeight(m_lblGroupHeading);
    const int headingTop = PaneFirstRowTop(this);
    const int firstRow = headingTop + headingHeight + 60;
    const int paneWidth = PixelsToTwips(contentsRect().right(), dpi);
    const int paneHeight = PixelsToTwips(contentsRect().bottom(), dpi);
    const int labelWidth = PixelsToTwips(m_lblPos[Positions - 1]->sizeHint().width(), dpi);
    const int groupWidth = std::max(GroupWidth, WidestControl({m_cbGrpAsn[0]}, 0));
    const int chanNeeds = WidestControl({m_cbChnAsn[0]}, 0);

    // One column of twenty when the pane is tall enough, else two of ten side by side, their
    // lists as narrow as their entries allow.
    const bool oneColumn = firstRow + (Positions - 1) * pitch + rowHeight + 90 <= paneHeight;
    const int perColumn = oneColumn ? Positions : Positions / 2;
    int labelLeft = LabelLeft;
    int groupLeft = std::max(GroupLeft, LabelLeft + labelWidth + 30);
    int chanWidth = std::max(groupWidth + 300, chanNeeds);
    int columnWidth = 0;
    if (!oneColumn) {
        labelLeft = 90;
        groupLeft = labelLeft + labelWidth + 30;
        chanWidth = chanNeeds;
        columnWidth = (paneWidth - 90) / 2;
        const int spare = columnWidth - (groupLeft + groupWidth + 100 + chanWidth);
        if (spare > 0)
            chanWidth += std::min(
                spare / 2, groupWidth + 300 - chanWidth > 0 ? groupWidth + 300 - chanWidth : 0);
    }

    for (int i = 0; i < Positions; ++i) {
        const int left = (i / perColumn) * columnWidth;
        const int top = firstRow + (i % perColumn) * pitch;
        PlaceTwips(m_cbGrpAsn[i], left + groupLeft, top, groupWidth, rowHeight);
        PlaceTwips(m_cbChnAsn[i], left + groupLeft + groupWidth + 100, top, chanWidth, rowHeight);
        const int labelHeight = NaturalHeight(m_lblPos[i]);
        m_lblPos[i]->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        PlaceTwips(m_lblPos[i], left + labelLeft, top + rowHeight / 2 - labelHeight / 2, labelWidth,
                   labelHeight);
    }
    QLabel *headings[2][2] = {{m_lblGroupHeading, m_lblChanHeading},
                              {m_lblGroupHeading2, m_lblChanHeading2}};
    for (int column = 0; column < 2; ++column) {
        const int left = column * columnWidth;
        PlaceTwips(headings[column][0], left + groupLeft, headingTop, groupWidth, headingHeight);
        PlaceTwips(headings[column][1], left + groupLeft + groupWidth + 100, headingTop, chanWidth,
                   headingHeight);
    }
    m_lblGroupHeading2->setVisible(!oneColumn);
    m_lblChanHeading2->setVisible(!oneColumn);
}

void CmdGroupPane::LoadCmdGrpSettings()
{
    for (int i = 0; i < Positions; ++i) {
        ShowListPosition(m_cbGrpAsn[i], GetCmdGrpGroupIndex(MemMap, i));
        ShowListPosition(m_cbChnAsn[i], GetCmdGrpChanIndex(MemMap, i));
        m_cbChnAsn[i]->setEnabled(CmdGrpChanEnabled(MemMap, i));
    }
}
