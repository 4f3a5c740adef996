#include "ucgpicklistpane.h"

#include "cellundo.h"
#include "fieldedit.h"
#include "caption.h"
#include "windowservices.h"
#include "memmap.h"
#include "panecontrols.h"
#include "panelayout.h"
#include "picklistcodec.h"
#include "textmeasure.h"
#include "windowlayout.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

UcgPickListPane::UcgPickListPane(QWidget *parent)
    : QGroupBox(QStringLiteral("UTXG Pick List"), parent)
{
    setObjectName(QStringLiteral("fraUCGPickList"));
    setFont(GridFont());
    m_chkUCGPickListLock = new QCheckBox(QStringLiteral("Disable keypad editing of tones"), this);
    m_chkUCGPickListLock->setObjectName(QStringLiteral("chkUCGPickListLock"));
    connect(m_chkUCGPickListLock, &QCheckBox::clicked, this, [](bool checked) {
        if (checked != GetPickListLock(MemMap)) {
            SetPickListLock(MemMap, checked);
            MarkDataChanged();
        }
    });
    for (int k = 0; k < Entries; ++k) {
        m_lblIDIndex[k] = MakeLabel(this, QStringLiteral("lblIDIndex_%1").arg(k),
                                    QStringLiteral("User TX Guard %1:").arg(k + 1));
        m_txtUCGList[k] = new QLineEdit(this);
        m_txtUCGList[k]->setObjectName(QStringLiteral("txtUCGList_%1").arg(k));
        SetLabelFor(m_lblIDIndex[k], m_txtUCGList[k]);
        QLineEdit *field = m_txtUCGList[k];
        // A rejected entry falls back on the text the field had when it got the focus.
        m_rules[k] = new TextFieldRule(
            field,
            [field, k] {
                ShowFieldEdit(field, EditPickListGuard(MemMap, k, field->text().toStdString()));
            },
            [](const std::string &saved) { CellUndoText.guard = saved; });
    }
    hide();
}

UcgPickListPane::~UcgPickListPane()
{
    // A focused field destroyed with the window is not an edit.
    for (TextFieldRule *rule : m_rules)
        delete rule;
}

void UcgPickListPane::SetupUCGPickListFrame()
{
    const double dpi = ScreenDpi();
    const QSize check = m_chkUCGPickListLock->sizeHint();
    PlaceTwips(m_chkUCGPickListLock, 240, 300, PixelsToTwips(check.width(), dpi),
               PixelsToTwips(check.height(), dpi));
    const int labelWidth = GetMaxWidth("User TX Guard XX: ", " ");
    const int boxWidth = GetMaxWidth(" XXXXX ", " ");
    const int boxHeight = NaturalHeight(m_txtUCGList[0]);
    const int firstTop = 300 + PixelsToTwips(check.height(), dpi) + 120;
    // Sixteen rows fill the pane's height, never closer than the boxes themselves.
    const int room = PixelsToTwips(height(), dpi) - firstTop - boxHeight - 120;
    const int least = RowPitch(m_txtUCGList[0]);
    const int pitch = std::clamp(room / 15, least, std::max(least, PaneRowPitch));
    const int columnWidth = labelWidth + 30 + boxWidth + 600;
    for (int k = 0; k < Entries; ++k) {
        const int left = 240 + (k / 16) * columnWidth;
        const int top = firstTop + (k % 16) * pitch;
        const int labelHeight = NaturalHeight(m_lblIDIndex[k]);
        m_lblIDIndex[k]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        PlaceTwips(m_lblIDIndex[k], left, top, labelWidth, labelHeight);
        PlaceTwips(m_txtUCGList[k], left + labelWidth + 30, top + labelHeight / 2 - boxHeight / 2,
                   boxWidth, boxHeight);
    }
}

void UcgPickListPane::LoadUCGPickListSettings()
{
    m_chkUCGPickListLock->setChecked(GetPickListLock(MemMap));
    for (int k = 0; k < Entries; ++k)
        m_txtUCGList[k]->setText(QString::fromStdString(GetPickListGuard(MemMap, k)));
}

void UcgPickListPane::CommitPendingEdit()
{
    for (int k = 0; k < Entries; ++k) {
        if (m_txtUCGList[k]->hasFocus())
            m_rules[k]->commit();
    }
}
