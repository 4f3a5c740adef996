#pragma once

#include <QObject>

class QTableView;
class QTableWidget;

// Keeps a table's first column in place while it scrolls sideways, as its row titles already
// are: a second view over the same model and selection lies over the column whenever the
// table is scrolled to the right.
class FrozenColumn : public QObject
{
public:
    explicit FrozenColumn(QTableWidget *table);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void update();

    QTableWidget *m_table;
    QTableView *m_column;
};
