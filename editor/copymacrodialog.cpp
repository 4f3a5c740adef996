#include "copymacrodialog.h"

#include "caption.h"
#include "windowservices.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace
{
constexpr int ChoicesPerColumn = 13;

template <typename Button>
QGroupBox *GroupChoices(QWidget *parent, const char *frame, const QString &title, const char *name,
                        std::array<Button *, NumGroups> &buttons)
{
    auto *box = new QGroupBox(title, parent);
    box->setObjectName(QString::fromLatin1(frame));
    auto *grid = new QGridLayout(box);
    for (int i = 0; i < NumGroups; ++i) {
        const QString caption = QStringLiteral("Group %1").arg(i + 1);
        auto *button = new Button(caption, box);
        button->setObjectName(QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(i));
        button->setAccessibleName(caption);
        grid->addWidget(button, i % ChoicesPerColumn, i / ChoicesPerColumn);
        buttons[i] = button;
    }
    return box;
}

QCheckBox *Option(QWidget *parent, const char *name, const QString &caption)
{
    auto *box = new QCheckBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setAccessibleName(caption);
    box->setChecked(true);
    return box;
}
} // namespace

CopyMacroDialog::CopyMacroDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmCopyMacro"));
    setWindowTitle(QString::fromLatin1(CopyMacroCaption));
    setModal(true);

    auto *fraCopy =
        GroupChoices(this, "fraCopy", QStringLiteral("Source Group"), "optCopyGrp", m_optCopyGrp);
    auto *fraDestination = GroupChoices(this, "fraDestination", QStringLiteral("Data Destination"),
                                        "chkPasteDest", m_chkPasteDest);
    m_sources = new QButtonGroup(this);
    for (int i = 0; i < NumGroups; ++i)
        m_sources->addButton(m_optCopyGrp[i], i);
    connect(m_sources, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            chooseSource(id);
    });

    auto *arrow = new QToolButton(this);
    arrow->setObjectName(QStringLiteral("cmdCopy"));
    arrow->setIcon(style()->standardIcon(QStyle::SP_ArrowRight));
    arrow->setIconSize({40, 40});
    arrow->setAccessibleName(QStringLiteral("Copy"));
    arrow->setToolTip(QStringLiteral("Copy"));
    arrow->setFocusPolicy(Qt::StrongFocus);
    connect(arrow, &QToolButton::clicked, this, &CopyMacroDialog::copy);

    m_chkCopyChanData = Option(this, "chkCopyChanData", QStringLiteral("Copy Channel Data"));
    m_chkCopyParams = Option(this, "chkCopyParams", QStringLiteral("Copy Group Parameters"));
    auto *lblInfo = new QLabel(QString::fromLatin1(CopyMacroInfo), this);
    lblInfo->setObjectName(QStringLiteral("lblInfo"));
    lblInfo->setWordWrap(true);

    auto *middle = new QVBoxLayout;
    middle->addStretch();
    middle->addWidget(arrow, 0, Qt::AlignCenter);
    middle->addStretch();
    auto *layout = new QGridLayout(this);
    layout->addWidget(fraCopy, 0, 0);
    layout->addLayout(middle, 0, 1);
    layout->addWidget(fraDestination, 0, 2);
    layout->addWidget(m_chkCopyChanData, 1, 0);
    layout->addWidget(m_chkCopyParams, 1, 2);
    layout->addWidget(lblInfo, 2, 0, 1, 3);
    setTabOrder(m_chkPasteDest.back(), m_chkCopyChanData);
}

GroupCopyChoice CopyMacroDialog::choice() const
{
    GroupCopyChoice choice;
    if (m_sources->checkedId() >= 0)
        choice.source = m_sources->checkedId();
    for (const QCheckBox *box : m_chkPasteDest)
        choice.destinations.push_back(box->isChecked());
    choice.channels = m_chkCopyChanData->isChecked();
    choice.params = m_chkCopyParams->isChecked();
    return choice;
}

// The source can never be a destination.
void CopyMacroDialog::chooseSource(int index)
{
    for (QCheckBox *box : m_chkPasteDest)
        box->setEnabled(true);
    m_chkPasteDest[index]->setChecked(false);
    m_chkPasteDest[index]->setEnabled(false);
}

void CopyMacroDialog::copy()
{
    if (!RunGroupCopy(MemMap, choice()))
        return;
    MarkDataChanged();
    SetRightPaneView();
    accept();
}
