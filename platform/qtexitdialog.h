#pragma once

#include "dialogs.h"

#include <QDialog>

// Asks before the program ends; offers to save first when data are unsaved.
class ExitDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ExitDialog(const ExitQuestion &question, QWidget *parent = nullptr);
    ExitChoice choice() const { return m_choice; }

private:
    void choose(ExitChoice choice);
    ExitChoice m_choice = ExitChoice::Cancel;
};
