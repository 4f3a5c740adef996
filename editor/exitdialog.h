#pragma once

#include "exitconfirm.h"

#include <QDialog>

#include <string>

class QLabel;
class QPushButton;

// Asks before the program ends; offers to save first when data are unsaved.
class ExitDialog : public QDialog
{
    Q_OBJECT

public:
    ExitDialog(bool unsaved, QWidget *parent = nullptr);
    ExitChoice choice() const { return m_choice; }

private:
    void choose(ExitChoice choice);
    QLabel *m_lblExit = nullptr;
    ExitChoice m_choice = ExitChoice::Cancel;
};

// The question, with its CR LF line break.
std::string ExitQuestionText(bool unsaved);

// Shows the dialog modally and returns the answer; closing it by its frame cancels.
ExitChoice AskExit(bool unsaved, QWidget *parent);
