#include "frozencolumn.h"

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>
#include <QTableWidget>

FrozenColumn::FrozenColumn(QTableWidget *table)
    : QObject(table), m_table(table), m_column(new QTableView(table))
{
    m_column->setObjectName(table->objectName() + QStringLiteral("FrozenColumn"));
    m_column->setModel(table->model());
    m_column->setSelectionModel(table->selectionModel());
    m_column->setFont(table->font());
    m_column->horizontalHeader()->setFont(table->horizontalHeader()->font());
    // The table keeps the focus and the keys; this view only shows and takes clicks.
    m_column->setFocusPolicy(Qt::NoFocus);
    m_column->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_column->setSelectionMode(table->selectionMode());
    m_column->verticalHeader()->hide();
    m_column->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_column->horizontalHeader()->setHighlightSections(false);
    m_column->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_column->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_column->setFrameShape(QFrame::NoFrame);
    m_column->hide();

    connect(table->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { update(); });
    connect(table->horizontalHeader(), &QHeaderView::sectionResized, this, [this] { update(); });
    connect(table->verticalScrollBar(), &QScrollBar::valueChanged, m_column->verticalScrollBar(),
            &QScrollBar::setValue);
    table->installEventFilter(this);
}

bool FrozenColumn::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_table && (event->type() == QEvent::Resize || event->type() == QEvent::Show))
        update();
    return QObject::eventFilter(watched, event);
}

void FrozenColumn::update()
{
    // Shown only while the first column is scrolled away, so editing it is never covered.
    const bool scrolled = m_table->horizontalScrollBar()->value() > 0;
    m_column->setVisible(scrolled);
    if (!scrolled)
        return;
    for (int c = 1; c < m_table->columnCount(); ++c)
        m_column->setColumnHidden(c, true);
    m_column->setColumnWidth(0, m_table->columnWidth(0));
    m_column->horizontalHeader()->setFixedHeight(m_table->horizontalHeader()->height());
    for (int r = 0; r < m_table->rowCount(); ++r)
        m_column->setRowHeight(r, m_table->rowHeight(r));
    const int frame = m_table->frameWidth();
    m_column->setGeometry(frame + m_table->verticalHeader()->width(), frame,
                          m_table->columnWidth(0),
                          m_table->viewport()->height() + m_table->horizontalHeader()->height());
    m_column->verticalScrollBar()->setValue(m_table->verticalScrollBar()->value());
    m_column->raise();
}
