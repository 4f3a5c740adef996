#pragma once

#include <QDialog>
#include <QIcon>

#include <string>

class QPlainTextEdit;

// "About ZPA Tessaro": the program's icon, title and version, and a button for system
// information.
class AboutWindow : public QDialog
{
    Q_OBJECT

public:
    explicit AboutWindow(QWidget *parent = nullptr);
};

// The system information in a read-only text with a button that copies it for a support
// request.
class SystemInfoWindow : public QDialog
{
    Q_OBJECT

public:
    explicit SystemInfoWindow(QWidget *parent = nullptr);
    QString text() const;

private:
    QPlainTextEdit *m_text = nullptr;
};

// What "System Info..." shows, gathered from this machine.
std::string SystemInformationText();

// The program's icon in every size it is drawn in.
QIcon ProgramIcon();
