#include "qttabledialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

static QString q(const std::string &text)
{
    return QString::fromStdString(text);
}

TableDialog::TableDialog(const TableRequest &table, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmTable"));
    setWindowTitle(q(table.title));
    auto *layout = new QVBoxLayout(this);

    auto *heading = new QLabel(q(table.heading), this);
    heading->setObjectName(QStringLiteral("lblHeading"));
    heading->setWordWrap(true);
    layout->addWidget(heading);

    if (!table.rows.empty()) {
        auto *grid = new QTableWidget(static_cast<int>(table.rows.size()),
                                      static_cast<int>(table.columns.size()), this);
        grid->setObjectName(QStringLiteral("tblRows"));
        grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
        grid->setSelectionBehavior(QAbstractItemView::SelectRows);
        grid->verticalHeader()->hide();
        QStringList titles;
        for (const std::string &c : table.columns)
            titles << q(c);
        grid->setHorizontalHeaderLabels(titles);
        for (int r = 0; r < grid->rowCount(); ++r) {
            const auto &row = table.rows[static_cast<std::size_t>(r)];
            for (int c = 0; c < grid->columnCount() && c < static_cast<int>(row.size()); ++c)
                grid->setItem(r, c, new QTableWidgetItem(q(row[static_cast<std::size_t>(c)])));
        }
        grid->resizeColumnsToContents();
        grid->horizontalHeader()->setStretchLastSection(true);
        layout->addWidget(grid);
        resize(640, 420);
    }

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}
