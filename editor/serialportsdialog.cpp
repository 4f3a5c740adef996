#include "serialportsdialog.h"

#include "baudrates.h"
#include "devicetest.h"
#include "linkstate.h"
#include "platform.h"
#include "portchoice.h"
#include "serialdevices.h"
#include "windowservices.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

static QString Q(const std::string &s)
{
    return QString::fromStdString(s);
}

static std::string UserName()
{
    return platform().devices ? platform().devices->userName() : std::string();
}

SerialPortsDialog::SerialPortsDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmSerialPorts"));
    setWindowTitle(tr("Serial Ports"));

    m_grid = new QTableWidget(0, static_cast<int>(SerialPortColumns.size()), this);
    m_grid->setObjectName(QStringLiteral("grdPorts"));
    QStringList titles;
    for (const char *title : SerialPortColumns)
        titles << QString::fromLatin1(title);
    m_grid->setHorizontalHeaderLabels(titles);
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setStretchLastSection(true);
    m_grid->setWordWrap(false);

    m_noDevices = new QLabel(Q(NoSerialDeviceAdvice), this);
    m_noDevices->setObjectName(QStringLiteral("lblNoDevices"));
    m_noDevices->setWordWrap(true);

    m_port = new QComboBox(this);
    m_port->setObjectName(QStringLiteral("cbCommPort"));
    for (int n = 1; n <= NumCommPorts; ++n)
        m_port->addItem(tr("Comm Port %1").arg(n));
    m_pin = new QPushButton(this);
    m_pin->setObjectName(QStringLiteral("cmdPin"));
    m_pin->setToolTip(tr("Keep this device as the Comm Port, whatever else is plugged in"));
    m_unpin = new QPushButton(tr("&Unpin"), this);
    m_unpin->setObjectName(QStringLiteral("cmdUnpin"));
    m_unpin->setToolTip(tr("Let the Comm Port take the next device found again"));

    m_rate = new QComboBox(this);
    m_rate->setObjectName(QStringLiteral("cbTestRate"));
    for (const auto &rate : BaudRates)
        m_rate->addItem(tr("%1 baud").arg(rate.rate));
    m_test = new QPushButton(tr("&Test"), this);
    m_test->setObjectName(QStringLiteral("cmdTest"));
    m_test->setToolTip(tr("Ask the radio on this device for its serial number; nothing is "
                          "written"));
    m_result = new QLabel(this);
    m_result->setObjectName(QStringLiteral("lblTestResult"));
    m_result->setWordWrap(true);
    m_result->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *pinRow = new QHBoxLayout;
    pinRow->addWidget(m_port);
    pinRow->addWidget(m_pin);
    pinRow->addWidget(m_unpin);
    pinRow->addSpacing(24);
    pinRow->addWidget(m_rate);
    pinRow->addWidget(m_test);
    pinRow->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_grid);
    layout->addWidget(m_noDevices);
    layout->addLayout(pinRow);
    layout->addWidget(m_result);
    layout->addWidget(buttons);

    m_poll = new QTimer(this);
    m_poll->setObjectName(QStringLiteral("tmrPoll"));
    m_poll->setInterval(1000);
    connect(m_poll, &QTimer::timeout, this, &SerialPortsDialog::Poll);

    connect(m_grid, &QTableWidget::itemSelectionChanged, this, [this] {
        // A row that has a Comm Port offers that port.
        if (const SerialPortRow *row = chosenRow(); row && !row->commPorts.empty())
            m_port->setCurrentIndex(row->commPorts.front() - 1);
        syncButtons();
    });
    connect(m_port, &QComboBox::currentIndexChanged, this, &SerialPortsDialog::syncButtons);
    connect(m_pin, &QPushButton::clicked, this, &SerialPortsDialog::pin);
    connect(m_unpin, &QPushButton::clicked, this, &SerialPortsDialog::unpin);
    connect(m_test, &QPushButton::clicked, this, &SerialPortsDialog::test);

    m_port->setCurrentIndex(std::clamp(m_iCommPort, 1, NumCommPorts) - 1);
    m_rate->setCurrentIndex(std::clamp(m_iBaudIndex, 0, NumBaudRates - 1));
    RefreshSerialDevices();
    m_rows = ListSerialPorts();
    fill();
    resize(980, 360);
}

void SerialPortsDialog::fill()
{
    const SerialPortRow *chosen = chosenRow();
    const std::string keep = chosen ? chosen->stableName : std::string();
    const std::string user = UserName();
    m_grid->setRowCount(static_cast<int>(m_rows.size()));
    int select = m_rows.empty() ? -1 : 0;
    for (std::size_t r = 0; r < m_rows.size(); ++r) {
        const SerialPortRow &row = m_rows[r];
        const auto cells = SerialPortCells(row, user);
        const bool usable = row.access.access == DeviceAccess::Allowed;
        for (std::size_t c = 0; c < cells.size(); ++c) {
            auto *item = new QTableWidgetItem(Q(cells[c]));
            item->setToolTip(Q(cells[c]));
            // A device we may not open, or one that is gone, reads as such.
            if (!usable)
                item->setForeground(palette().brush(QPalette::Disabled, QPalette::Text));
            m_grid->setItem(static_cast<int>(r), static_cast<int>(c), item);
        }
        if (row.stableName == keep)
            select = static_cast<int>(r);
    }
    m_grid->resizeColumnsToContents();
    // The Comm Port column takes the room that is left.
    m_grid->horizontalHeader()->setSectionResizeMode(m_grid->columnCount() - 1,
                                                     QHeaderView::Stretch);
    m_grid->setVisible(!m_rows.empty());
    m_noDevices->setVisible(!AnySerialDevicePresent(m_rows));
    if (select >= 0)
        m_grid->selectRow(select);
    syncButtons();
}

const SerialPortRow *SerialPortsDialog::chosenRow() const
{
    const QList<QTableWidgetItem *> items = m_grid->selectedItems();
    if (items.isEmpty())
        return nullptr;
    const auto r = static_cast<std::size_t>(items.front()->row());
    return r < m_rows.size() ? &m_rows[r] : nullptr;
}

int SerialPortsDialog::chosenPort() const
{
    return m_port->currentIndex() + 1;
}

void SerialPortsDialog::syncButtons()
{
    const SerialPortRow *row = chosenRow();
    const int port = chosenPort();
    m_pin->setText(tr("Use as Comm Port %1").arg(port));
    m_pin->setEnabled(row && CommPortPin(port) != row->stableName);
    m_unpin->setEnabled(!CommPortPin(port).empty());
    m_test->setEnabled(row && row->access.access != DeviceAccess::Missing);
}

void SerialPortsDialog::pin()
{
    if (const SerialPortRow *row = chosenRow()) {
        PinCommPort(chosenPort(), row->stableName);
        Poll();
    }
}

void SerialPortsDialog::unpin()
{
    PinCommPort(chosenPort(), {});
    Poll();
}

void SerialPortsDialog::test()
{
    const SerialPortRow *row = chosenRow();
    if (!row)
        return;
    const std::string device = row->stableName;
    m_result->setText(tr("Testing %1 ...").arg(Q(device)));
    setEnabled(false);
    const DeviceTestResult found =
        TestRadioOnDevice(device, BaudRateOfIndex(m_rate->currentIndex()));
    setEnabled(true);
    if (found.radio && found.message.empty())
        m_result->setText(tr("%1: radio serial number %2, answers at up to %3 baud.")
                              .arg(Q(device), Q(found.serial))
                              .arg(found.rate));
    else
        m_result->setText(tr("%1: %2").arg(Q(device), Q(found.message)));
}

void SerialPortsDialog::Poll()
{
    RefreshSerialDevices();
    std::vector<SerialPortRow> rows = ListSerialPorts();
    if (rows == m_rows)
        return;
    m_rows = std::move(rows);
    fill();
    // Items of ports 6..10 appear once they reach a device, as at start-up.
    BuildPortMenu();
}

void SerialPortsDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_poll->start();
}

void SerialPortsDialog::hideEvent(QHideEvent *event)
{
    m_poll->stop();
    QDialog::hideEvent(event);
}
