#pragma once

#include "dialogs.h"

#include <QDialog>

// A heading over a read-only table, closed with one button; its text can be selected and
// copied for a service report.
class TableDialog : public QDialog
{
    Q_OBJECT

public:
    explicit TableDialog(const TableRequest &table, QWidget *parent = nullptr);
};
