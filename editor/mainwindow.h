#pragma once

#include <QMainWindow>

class QLabel;

// The editor's main window. The caption carries the unsaved-data mark.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);

    // Rebuilds the caption for the current file.
    void SetCaption(bool modified);
    // Shows the current MemMap again after it was replaced.
    void RefreshView();
    bool isDataChanged() const;

private:
    QLabel *m_summary = nullptr;
};
