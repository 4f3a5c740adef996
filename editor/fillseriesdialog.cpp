#include "fillseriesdialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

FillSeriesDialog::FillSeriesDialog(const QString &range, const QString &start, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmFillSeries"));
    setWindowTitle(QStringLiteral("Fill Series"));
    setMinimumWidth(360);
    auto *form = new QFormLayout(this);
    auto *lblFillRange = new QLabel(range, this);
    lblFillRange->setObjectName(QStringLiteral("lblFillRange"));
    form->addRow(lblFillRange);
    m_txtFillStart = new QLineEdit(start, this);
    m_txtFillStart->setObjectName(QStringLiteral("txtFillStart"));
    m_txtFillStart->selectAll();
    form->addRow(QStringLiteral("Start frequency (MHz):"), m_txtFillStart);
    m_cbFillStep = new QComboBox(this);
    m_cbFillStep->setObjectName(QStringLiteral("cbFillStep"));
    m_cbFillStep->setEditable(true);
    m_cbFillStep->addItems({QStringLiteral("12.5"), QStringLiteral("25")});
    m_cbFillStep->setToolTip(QStringLiteral("Step in kHz; a negative step counts down"));
    form->addRow(QStringLiteral("Step (kHz):"), m_cbFillStep);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

QString FillSeriesDialog::start() const
{
    return m_txtFillStart->text();
}

QString FillSeriesDialog::step() const
{
    return m_cbFillStep->currentText();
}
