#include "historywindow.h"

#include "appglobals.h"
#include "appsettings.h"
#include "caption.h"
#include "fielddiff.h"
#include "filecommands.h"
#include "historyconfig.h"
#include "historyschema.h"
#include "historystore.h"
#include "platform.h"
#include "qtsqldatabase.h"
#include "windowservices.h"
#include "writeverify.h"

#include <QDesktopServices>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace
{

constexpr std::size_t ImageSize = UsedPages * PageSize;

QString Q(const std::string &text)
{
    return QString::fromStdString(text);
}

bool ToImage(const std::vector<std::uint8_t> &bytes, MemMapImage &image)
{
    if (bytes.size() != ImageSize)
        return false;
    image.clear();
    for (std::size_t i = 0; i < bytes.size(); ++i)
        image.set(static_cast<int>(i / PageSize), static_cast<int>(i % PageSize), bytes[i]);
    return true;
}

void FillRow(QTableWidget *grid, int row, const std::vector<std::string> &cells)
{
    for (std::size_t c = 0; c < cells.size(); ++c) {
        auto *item = new QTableWidgetItem(Q(cells[c]));
        item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        grid->setItem(row, static_cast<int>(c), item);
    }
}

QTableWidget *Grid(const char *name, const QStringList &columns, QWidget *parent)
{
    auto *grid = new QTableWidget(0, static_cast<int>(columns.size()), parent);
    grid->setObjectName(QString::fromLatin1(name));
    grid->setHorizontalHeaderLabels(columns);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->verticalHeader()->hide();
    grid->horizontalHeader()->setStretchLastSection(true);
    grid->setAlternatingRowColors(true);
    return grid;
}

QPushButton *Button(const char *name, const QString &text, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

void Tell(const std::string &text, const char *caption)
{
    if (Dialogs *dialogs = platform().dialogs)
        dialogs->message(text, caption, MsgButtons::Ok, MsgIcon::Exclamation);
}

} // namespace

bool OpenHistoryImage(const std::vector<std::uint8_t> &bytes)
{
    MemMapImage image;
    if (!ToImage(bytes, image) || !CheckForDataSave())
        return false;
    MemMap = image;
    g_sCurFileName = "";
    BuildTree();
    SetRightPaneView();
    SetCaption(true);
    return true;
}

void CompareHistoryImages(const RadioEvent &older, const std::vector<std::uint8_t> &first,
                          const RadioEvent &newer, const std::vector<std::uint8_t> &second)
{
    MemMapImage a, b;
    if (!ToImage(first, a) || !ToImage(second, b) || platform().dialogs == nullptr)
        return;
    const std::vector<FieldDifference> differences = DiffFields(a, b);
    const std::string heading =
        differences.empty()
            ? "The two images are the same: no field differs."
            : FieldsDiffer(differences.size()) + " between the " + older.kind +
                  " of " + older.at + " and the " + newer.kind + " of " + newer.at + ".";
    std::vector<std::string> columns = DifferenceColumns();
    columns[3] = older.at;
    columns[4] = newer.at;
    platform().dialogs->showTable(
        {"COMPARE RADIO " + older.serial, heading, columns, DifferenceRows(differences)});
}

HistoryWindow::HistoryWindow(QWidget *parent)
    : QDialog(parent), m_connector(std::make_unique<QtSqlConnector>())
{
    setObjectName(QStringLiteral("frmHistory"));
    setWindowTitle(QStringLiteral("Radio History"));
    setAttribute(Qt::WA_DeleteOnClose);

    m_where = new QLabel(this);
    m_where->setObjectName(QStringLiteral("lblDatabase"));
    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("txtSearch"));
    m_search->setPlaceholderText(
        QStringLiteral("Serial number, customer, note, label, file name or date"));
    m_search->setClearButtonEnabled(true);
    QPushButton *find = Button("cmdSearch", QStringLiteral("&Search"), this);

    m_radioGrid =
        Grid("grdRadios",
             {QStringLiteral("Serial"), QStringLiteral("Customer"), QStringLiteral("Last Event"),
              QStringLiteral("Kind"), QStringLiteral("Outcome"), QStringLiteral("Events")},
             this);
    m_radioGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_timeline = Grid("grdTimeline",
                      {QStringLiteral("Date"), QStringLiteral("Kind"), QStringLiteral("Outcome"),
                       QStringLiteral("Bench"), QStringLiteral("Port"), QStringLiteral("Image"),
                       QStringLiteral("File"), QStringLiteral("Detail")},
                      this);
    m_timeline->setSelectionMode(QAbstractItemView::ExtendedSelection);

    m_customer = new QLineEdit(this);
    m_customer->setObjectName(QStringLiteral("txtCustomer"));
    m_note = new QLineEdit(this);
    m_note->setObjectName(QStringLiteral("txtNote"));
    m_saveNote = Button("cmdSaveNote", QStringLiteral("Save &Customer and Note"), this);
    m_open = Button("cmdOpenImage", QStringLiteral("&Open in Editor"), this);
    m_compare = Button("cmdCompare", QStringLiteral("Co&mpare Two Events"), this);
    m_saveImage = Button("cmdSaveImage", QStringLiteral("Save Image &As\u2026"), this);
    m_report = Button("cmdOpenReport", QStringLiteral("Open &Report"), this);
    QPushButton *close = Button("cmdClose", QStringLiteral("Close"), this);

    auto *searchRow = new QHBoxLayout;
    searchRow->addWidget(new QLabel(QStringLiteral("Find:"), this));
    searchRow->addWidget(m_search, 1);
    searchRow->addWidget(find);
    auto *right = new QWidget(this);
    auto *rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Customer:"), m_customer);
    form->addRow(QStringLiteral("Note:"), m_note);
    rightLayout->addLayout(form);
    auto *noteRow = new QHBoxLayout;
    noteRow->addStretch();
    noteRow->addWidget(m_saveNote);
    rightLayout->addLayout(noteRow);
    rightLayout->addWidget(m_timeline, 1);
    auto *split = new QSplitter(this);
    split->addWidget(m_radioGrid);
    split->addWidget(right);
    split->setSizes({470, 630});
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {m_open, m_compare, m_saveImage, m_report})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(searchRow);
    layout->addWidget(split, 1);
    layout->addLayout(buttons);
    layout->addWidget(m_where);
    resize(1180, 560);

    connect(find, &QPushButton::clicked, this, &HistoryWindow::Search);
    connect(m_search, &QLineEdit::returnPressed, this, &HistoryWindow::Search);
    connect(m_radioGrid, &QTableWidget::currentCellChanged, this,
            [this](int row) { ShowRadio(row); });
    connect(m_timeline, &QTableWidget::itemSelectionChanged, this, &HistoryWindow::UpdateButtons);
    connect(m_timeline, &QTableWidget::cellDoubleClicked, this, &HistoryWindow::OpenImage);
    connect(m_saveNote, &QPushButton::clicked, this, &HistoryWindow::SaveNote);
    connect(m_open, &QPushButton::clicked, this, &HistoryWindow::OpenImage);
    connect(m_compare, &QPushButton::clicked, this, &HistoryWindow::Compare);
    connect(m_saveImage, &QPushButton::clicked, this, &HistoryWindow::SaveImage);
    connect(m_report, &QPushButton::clicked, this, &HistoryWindow::OpenReport);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    UpdateButtons();
}

HistoryWindow::~HistoryWindow() = default;

bool HistoryWindow::Connected()
{
    if (m_store)
        return true;
    std::string why;
    const auto where =
        ParseHistoryConnection(GetSetting(HistoryDatabaseKey, ""), platform().programFolder, why);
    if (where) {
        m_where->setText(where->dialect == SqlDialect::Sqlite
                             ? QStringLiteral("Database: %1").arg(Q(where->file))
                             : QStringLiteral("Database: PostgreSQL %1 on %2")
                                   .arg(Q(where->database), Q(where->host)));
        if (where->dialect == SqlDialect::Sqlite && platform().files)
            platform().files->makePath(platform().programFolder);
        m_db = m_connector->open(*where, why);
    }
    if (!m_db || !UpgradeSchema(*m_db, why)) {
        m_db.reset();
        m_where->setText(QStringLiteral("The history database cannot be reached: %1").arg(Q(why)));
        return false;
    }
    m_store = std::make_unique<HistoryStore>(*m_db);
    return true;
}

void HistoryWindow::Search()
{
    m_radios.clear();
    std::optional<std::vector<RadioSummary>> found;
    if (Connected() && !(found = m_store->findRadios(m_search->text().trimmed().toStdString()))) {
        // A lost server: connect anew on the next search.
        m_where->setText(
            QStringLiteral("The history database failed: %1").arg(Q(m_store->lastError())));
        m_store.reset();
        m_db.reset();
    }
    if (found)
        m_radios = *found;
    m_radioGrid->setRowCount(static_cast<int>(m_radios.size()));
    for (std::size_t i = 0; i < m_radios.size(); ++i) {
        const RadioSummary &r = m_radios[i];
        FillRow(
            m_radioGrid, static_cast<int>(i),
            {r.serial, r.customer, r.lastAt, r.lastKind, r.lastOutcome, std::to_string(r.events)});
    }
    m_radioGrid->resizeColumnsToContents();
    // The first row may have been current before: its timeline is shown anew either way.
    m_radioGrid->blockSignals(true);
    m_radioGrid->setCurrentCell(m_radios.empty() ? -1 : 0, 0);
    m_radioGrid->blockSignals(false);
    ShowRadio(m_radios.empty() ? -1 : 0);
}

void HistoryWindow::ShowRadio(int row)
{
    m_events.clear();
    const bool valid = row >= 0 && row < static_cast<int>(m_radios.size()) && m_store;
    if (valid) {
        if (auto events = m_store->timeline(m_radios[static_cast<std::size_t>(row)].serial))
            m_events = std::move(*events);
    }
    m_customer->setText(valid ? Q(m_radios[static_cast<std::size_t>(row)].customer) : QString());
    m_note->setText(valid ? Q(m_radios[static_cast<std::size_t>(row)].note) : QString());
    m_customer->setEnabled(valid);
    m_note->setEnabled(valid);
    m_saveNote->setEnabled(valid);
    m_timeline->setRowCount(static_cast<int>(m_events.size()));
    for (std::size_t i = 0; i < m_events.size(); ++i) {
        const RadioEvent &e = m_events[i];
        FillRow(m_timeline, static_cast<int>(i),
                {e.at, e.kind, e.outcome, e.bench, e.port,
                 e.imageHash.empty() ? "" : e.imageHash.substr(0, 10), e.file, e.detail});
    }
    m_timeline->resizeColumnsToContents();
    UpdateButtons();
}

std::vector<RadioEvent> HistoryWindow::SelectedEvents() const
{
    std::vector<RadioEvent> chosen;
    for (const QModelIndex &index : m_timeline->selectionModel()->selectedRows()) {
        if (index.row() < static_cast<int>(m_events.size()))
            chosen.push_back(m_events[static_cast<std::size_t>(index.row())]);
    }
    return chosen;
}

void HistoryWindow::UpdateButtons()
{
    const std::vector<RadioEvent> chosen = SelectedEvents();
    const bool one = chosen.size() == 1;
    m_open->setEnabled(one && !chosen[0].imageHash.empty());
    m_saveImage->setEnabled(one && !chosen[0].imageHash.empty());
    m_report->setEnabled(one && chosen[0].hasReport);
    m_compare->setEnabled(chosen.size() == 2 && !chosen[0].imageHash.empty() &&
                          !chosen[1].imageHash.empty());
}

std::optional<std::vector<std::uint8_t>> HistoryWindow::ImageOf(const RadioEvent &event)
{
    auto bytes = m_store ? m_store->image(event.imageHash) : std::nullopt;
    if (!bytes)
        Tell("The image of this event could not be fetched from the history database.",
             "RADIO HISTORY");
    return bytes;
}

void HistoryWindow::SaveNote()
{
    const int row = m_radioGrid->currentRow();
    if (row < 0 || row >= static_cast<int>(m_radios.size()) || !m_store)
        return;
    RadioSummary &r = m_radios[static_cast<std::size_t>(row)];
    const std::string customer = m_customer->text().trimmed().toStdString();
    const std::string note = m_note->text().trimmed().toStdString();
    if (!m_store->setRadioNote(r.serial, customer, note)) {
        Tell("The customer and note could not be saved: " + m_store->lastError(), "RADIO HISTORY");
        return;
    }
    r.customer = customer;
    r.note = note;
    FillRow(m_radioGrid, row, {r.serial, r.customer});
}

void HistoryWindow::OpenImage()
{
    const std::vector<RadioEvent> chosen = SelectedEvents();
    if (chosen.size() != 1 || chosen[0].imageHash.empty())
        return;
    if (const auto bytes = ImageOf(chosen[0]); bytes && OpenHistoryImage(*bytes))
        StatusMsg("Opened the image of " + chosen[0].serial + " from " + chosen[0].at + ".....");
}

void HistoryWindow::Compare()
{
    std::vector<RadioEvent> chosen = SelectedEvents();
    if (chosen.size() != 2)
        return;
    // Older first: the differences read as what changed since.
    if (chosen[1].at < chosen[0].at)
        std::swap(chosen[0], chosen[1]);
    const auto first = ImageOf(chosen[0]);
    const auto second = first ? ImageOf(chosen[1]) : std::nullopt;
    if (second)
        CompareHistoryImages(chosen[0], *first, chosen[1], *second);
}

void HistoryWindow::SaveImage()
{
    const std::vector<RadioEvent> chosen = SelectedEvents();
    if (chosen.size() != 1 || !platform().dialogs || !platform().files)
        return;
    const auto bytes = ImageOf(chosen[0]);
    if (!bytes)
        return;
    std::string stamp = chosen[0].at;
    for (char &c : stamp)
        c = c == ' ' ? '_' : c == ':' ? '-' : c;
    FileDialogRequest request;
    request.title = "Save Image As";
    request.defaultExtension = DataFileExtension;
    request.proposedName = "SN" + chosen[0].serial + "_" + stamp + ".tdf";
    request.filters = {{ProgramTitle + " File (*.tdf)", "*.tdf"}};
    request.initialDir = FileDialogFolder();
    request.confirmOverwrite = true;
    const auto path = platform().dialogs->saveFile(request);
    if (path && !platform().files->writeAtomic(*path, *bytes))
        Tell("The image could not be written to " + *path + ".", "FILE ERROR");
}

void HistoryWindow::OpenReport()
{
    const std::vector<RadioEvent> chosen = SelectedEvents();
    if (chosen.size() != 1 || !m_store || !platform().files)
        return;
    const auto pdf = m_store->report(chosen[0].key);
    const std::string path =
        QDir::tempPath().toStdString() + "/Alignment Report SN" + chosen[0].serial + ".pdf";
    if (!pdf || !platform().files->writeAtomic(path, *pdf)) {
        Tell("The alignment report could not be fetched or written to " + path + ".",
             "RADIO HISTORY");
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(Q(path)));
}

void ShowHistoryWindow(QWidget *parent)
{
    static QPointer<HistoryWindow> open;
    if (!open) {
        open = new HistoryWindow(parent);
        open->show();
        open->Search();
    }
    open->raise();
    open->activateWindow();
}
