#include "groupparamrow.h"

#include "appglobals.h"
#include "chanrecord.h"
#include "choicelists.h"
#include "fieldedit.h"
#include "gridedit.h"
#include "caption.h"
#include "memmap.h"
#include "panecontrols.h"
#include "textmeasure.h"
#include "windowlayout.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

GroupParamRow::GroupParamRow(QWidget *pane)
{
    m_lblGrpParam[0] = new QLabel(QStringLiteral("Group Label:"), pane);
    m_lblGrpParam[0]->setObjectName(QStringLiteral("lblGrpParam_0"));
    m_txtGroupLabel = new QLineEdit(pane);
    m_txtGroupLabel->setObjectName(QStringLiteral("txtGroupLabel"));
    m_txtGroupLabel->setMaxLength(12);
    m_txtGroupLabel->setToolTip(QStringLiteral("Group Label: See the User's Manual for details "));
    SetLabelFor(m_lblGrpParam[0], m_txtGroupLabel);

    m_lblGrpParam[1] = new QLabel(QStringLiteral("Incoming Cloning:"), pane);
    m_lblGrpParam[1]->setObjectName(QStringLiteral("lblGrpParam_1"));
    m_cbIncomingClone = new QComboBox(pane);
    m_cbIncomingClone->setObjectName(QStringLiteral("cbIncomingClone"));
    for (const std::string &entry : ChoiceList("cbIncomingClone"))
        m_cbIncomingClone->addItem(QString::fromStdString(entry));
    SetLabelFor(m_lblGrpParam[1], m_cbIncomingClone);

    m_chkGrpScanList = new QCheckBox(QStringLiteral("Group Scan List"), pane);
    m_chkGrpScanList->setObjectName(QStringLiteral("chkGrpScanList"));

    m_groupLabelRule = new TextFieldRule(m_txtGroupLabel, [this] { groupLabelLeft(); });
    QObject::connect(m_cbIncomingClone, qOverload<int>(&QComboBox::activated), pane, [](int index) {
        if (ChooseIncomingClone(MemMap, g_iCurGroup, index))
            MarkDataChanged();
    });
    InstallEnterMovesOn(m_cbIncomingClone);
    QObject::connect(m_chkGrpScanList, &QCheckBox::clicked, pane, [](bool checked) {
        if (ClickGroupScanList(MemMap, g_iCurGroup, checked))
            MarkDataChanged();
    });
}

GroupParamRow::~GroupParamRow()
{
    delete m_groupLabelRule;
}

void GroupParamRow::load(int group)
{
    m_txtGroupLabel->setText(QString::fromStdString(GetGrpLabel(MemMap, group)));
    m_cbIncomingClone->setCurrentIndex(GetGrpIncomingClone(MemMap, group) ? 1 : 0);
    m_chkGrpScanList->setChecked(GetGrpScanList(MemMap, group) == "Yes");
}

int GroupParamRow::place()
{
    auto centreOnRow = [](QWidget *w, int left, int width) {
        const int height = PixelsToTwips(w->sizeHint().height(), ScreenDpi());
        PlaceTwips(w, left, 420 - height / 2, width, height);
    };
    auto naturalWidth = [](QWidget *w) {
        return PixelsToTwips(w->sizeHint().width(), ScreenDpi());
    };
    const int label0Width = naturalWidth(m_lblGrpParam[0]);
    centreOnRow(m_lblGrpParam[0], 180, label0Width);
    const int labelBoxWidth = GetMaxWidth("XXXXXX.XXXXXX", "Label ");
    centreOnRow(m_txtGroupLabel, 180 + label0Width + 30, labelBoxWidth);
    const int label1Left = 180 + label0Width + labelBoxWidth + 120;
    const int label1Width = naturalWidth(m_lblGrpParam[1]);
    centreOnRow(m_lblGrpParam[1], label1Left, label1Width);
    const int cloneLeft = label1Left + label1Width + 30;
    const int cloneWidth = naturalWidth(m_cbIncomingClone);
    centreOnRow(m_cbIncomingClone, cloneLeft, cloneWidth);
    centreOnRow(m_chkGrpScanList, cloneLeft + cloneWidth + 300, naturalWidth(m_chkGrpScanList));
    return WidgetHeightTwips(m_txtGroupLabel);
}

void GroupParamRow::setEnabled(bool enable)
{
    m_txtGroupLabel->setEnabled(enable);
    m_cbIncomingClone->setEnabled(enable);
    m_chkGrpScanList->setEnabled(enable);
}

void GroupParamRow::commitPending()
{
    if (m_txtGroupLabel->hasFocus())
        m_groupLabelRule->commit();
}

std::array<QWidget *, 3> GroupParamRow::controls() const
{
    return {m_txtGroupLabel, m_cbIncomingClone, m_chkGrpScanList};
}

void GroupParamRow::groupLabelLeft()
{
    std::string shown;
    const bool changed =
        EditGroupLabel(MemMap, g_iCurGroup, m_txtGroupLabel->text().toStdString(), shown);
    m_txtGroupLabel->setText(QString::fromStdString(shown));
    if (changed)
        MarkDataChanged();
}
