#pragma once

#include <QDialog>

#include <string>

// "About ZPA Tessaro": the program title and version, and a button for system information.
class AboutWindow : public QDialog
{
    Q_OBJECT

public:
    explicit AboutWindow(QWidget *parent = nullptr);
};

// What the system-information button shows: versions and the serial devices found.
std::string SystemInformationText();
