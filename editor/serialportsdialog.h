#pragma once

#include "serialportlist.h"

#include <QDialog>

#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;
class QTimer;

// Options > Serial Ports...: every serial device with its names, USB identity, driver, access
// and Comm Port; pins a Comm Port to a device's stable name and tries a radio on a device.
// While shown it looks for devices coming and going once a second.
class SerialPortsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit SerialPortsDialog(QWidget *parent = nullptr);

    // Lists the devices again when they changed since the last look.
    void Poll();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void fill();
    void syncButtons();
    const SerialPortRow *chosenRow() const;
    int chosenPort() const;
    void pin();
    void unpin();
    void test();

    std::vector<SerialPortRow> m_rows;
    QTableWidget *m_grid;
    QLabel *m_noDevices;
    QComboBox *m_port;
    QPushButton *m_pin;
    QPushButton *m_unpin;
    QComboBox *m_rate;
    QPushButton *m_test;
    QLabel *m_result;
    QTimer *m_poll;
};
