#pragma once

#include <QWidget>

class QTextBrowser;

// The program's help: the HTML pages of the help folder, opened at the overview.
class HelpWindow : public QWidget
{
    Q_OBJECT

public:
    explicit HelpWindow(QWidget *parent = nullptr);
    // Shows the overview page; false when the help folder cannot be found.
    bool ShowOverview();
    QTextBrowser *browser() const { return m_browser; }

private:
    QTextBrowser *m_browser = nullptr;
};

// The folder of the help pages: installed beside the program's data, or the source tree's.
QString HelpFolder();
