#pragma once

#include "groupcopy.h"

#include <QDialog>

#include <array>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QRadioButton;

// `frmCopyMacro`: one source group, any destinations, channels and/or parameters. The arrow
// button copies through RunGroupCopy; then the data count as changed and the shown pane is
// filled again, so a later grid store cannot bring back the old channels.
class CopyMacroDialog : public QDialog
{
    Q_OBJECT

public:
    explicit CopyMacroDialog(QWidget *parent = nullptr);

    // What the controls say now.
    GroupCopyChoice choice() const;

private:
    void chooseSource(int index);
    void copy();

    std::array<QRadioButton *, NumGroups> m_optCopyGrp{};
    std::array<QCheckBox *, NumGroups> m_chkPasteDest{};
    QButtonGroup *m_sources = nullptr;
    QCheckBox *m_chkCopyChanData = nullptr;
    QCheckBox *m_chkCopyParams = nullptr;
};
