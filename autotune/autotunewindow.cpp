#include "autotunewindow.h"

#include "appsettings.h"
#include "autotuneprint.h"
#include "dialogs.h"
#include "idletexts.h"
#include "platform.h"
#include "qtprinter.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QCursor>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace
{

QString Q(const std::string &text)
{
    return QString::fromStdString(text);
}

enum Column { ColPoint, ColTarget, ColLimits, ColMeasured, ColOld, ColNew, ColResult, ColCount };
constexpr const char *ColumnTitles[ColCount] = {"Point",       "Target",      "Limits", "Measured",
                                                "Old setting", "New setting", "Result"};

// The set-up fields and the settings key that remembers each.
constexpr const char *InstrumentKey = "AutoTune Instrument";
constexpr const char *ProfileKey = "AutoTune Profile";
constexpr const char *LimitsKey = "AutoTune Limits";
constexpr const char *PagesKey = "AutoTune Pages";

bool EndsWith(const std::string &text, const std::string &tail)
{
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

} // namespace

AutoTuneWindow::AutoTuneWindow(AutoTuneHost host, QWidget *parent)
    : QDialog(parent), m_host(std::move(host)), m_txtInstrument(new QLineEdit(this)),
      m_cboProfile(new QComboBox(this)), m_txtLimits(new QLineEdit(this)),
      m_cmdStart(new QPushButton(QStringLiteral("Start"), this)),
      m_cmdAbort(new QPushButton(QStringLiteral("Abort"), this)),
      m_cmdSave(new QPushButton(QStringLiteral("Save Report\u2026"), this)),
      m_cmdPrint(new QPushButton(QStringLiteral("Print\u2026"), this)),
      m_cmdClose(new QPushButton(QStringLiteral("Close"), this)), m_lblPrompt(new QLabel(this)),
      m_lblStatus(new QLabel(this)), m_prgPoints(new QProgressBar(this)),
      m_grdResults(new QTableWidget(0, ColCount, this))
{
    setObjectName(QStringLiteral("frmAutoTune"));
    setWindowTitle(QStringLiteral("AutoTune"));
    m_txtInstrument->setObjectName(QStringLiteral("txtInstrument"));
    m_txtInstrument->setPlaceholderText(QStringLiteral("tcp://192.168.1.20:5025"));
    m_cboProfile->setObjectName(QStringLiteral("cboProfile"));
    m_cboProfile->setEditable(true);
    m_cboProfile->lineEdit()->setPlaceholderText(
        QStringLiteral("the profile whose identity the test set gives"));
    if (m_host.profiles)
        for (const std::string &name : m_host.profiles())
            m_cboProfile->addItem(Q(name));
    m_txtLimits->setObjectName(QStringLiteral("txtLimits"));
    m_txtLimits->setPlaceholderText(QStringLiteral("built-in limits"));
    m_txtInstrument->setText(Q(GetSetting(InstrumentKey, "tcp://127.0.0.1:5025")));
    m_cboProfile->setCurrentText(Q(GetSetting(ProfileKey, "")));
    m_txtLimits->setText(Q(GetSetting(LimitsKey, "")));

    auto *setup = new QGroupBox(QStringLiteral("Set-up"), this);
    setup->setObjectName(QStringLiteral("fraSetup"));
    auto *form = new QFormLayout;
    // A field with a "Browse..." button that puts the chosen path into text.
    auto withBrowse = [this](QWidget *field, QLineEdit *text, const char *name, const char *title,
                             const char *filter) {
        auto *row = new QHBoxLayout;
        auto *browse = new QPushButton(QStringLiteral("Browse\u2026"), this);
        browse->setObjectName(QString::fromLatin1(name));
        browse->setAutoDefault(false);
        connect(browse, &QPushButton::clicked, this, [=] { this->browse(text, title, filter); });
        row->addWidget(field, 1);
        row->addWidget(browse);
        return row;
    };
    auto *address = new QHBoxLayout;
    address->addWidget(m_txtInstrument, 1);
    if (m_host.find) {
        auto *find = new QPushButton(QStringLiteral("Find\u2026"), this);
        find->setObjectName(QStringLiteral("cmdFind"));
        find->setAutoDefault(false);
        find->setToolTip(QStringLiteral("Ask the LAN for LXI instruments"));
        connect(find, &QPushButton::clicked, this, &AutoTuneWindow::findClicked);
        address->addWidget(find);
    }
    form->addRow(QStringLiteral("Test set address:"), address);
    form->addRow(QStringLiteral("Profile:"),
                 withBrowse(m_cboProfile, m_cboProfile->lineEdit(), "cmdProfile",
                            "Test Set Profile", "*.yaml"));
    form->addRow(QStringLiteral("Limits:"),
                 withBrowse(m_txtLimits, m_txtLimits, "cmdLimits", "Limits File", "*.yaml"));
    auto *pages = new QGridLayout;
    const std::string chosen = GetSetting(PagesKey, "1111111");
    for (int i = 0; i < AutoPageCount; ++i) {
        m_chkPage[i] = new QCheckBox(QString::fromLatin1(TunePageTitles[i]), this);
        m_chkPage[i]->setObjectName(QStringLiteral("chkPage_%1").arg(i));
        m_chkPage[i]->setChecked(i >= static_cast<int>(chosen.size()) || chosen[i] == '1');
        pages->addWidget(m_chkPage[i], i / 4, i % 4);
    }
    form->addRow(QStringLiteral("Pages:"), pages);
    setup->setLayout(form);

    m_lblPrompt->setObjectName(QStringLiteral("lblPrompt"));
    m_lblPrompt->setWordWrap(true);
    m_lblPrompt->setStyleSheet(
        QStringLiteral("QLabel { background: #fff3b0; border: 1px solid #c9a800; padding: 4px; "
                       "font-weight: bold; }"));
    m_lblPrompt->hide();
    m_lblStatus->setObjectName(QStringLiteral("lblStatus"));
    m_prgPoints->setObjectName(QStringLiteral("prgPoints"));
    m_prgPoints->setFormat(QStringLiteral("%v of %m points"));

    m_grdResults->setObjectName(QStringLiteral("grdResults"));
    for (int c = 0; c < ColCount; ++c)
        m_grdResults->setHorizontalHeaderItem(
            c, new QTableWidgetItem(QString::fromLatin1(ColumnTitles[c])));
    m_grdResults->verticalHeader()->hide();
    m_grdResults->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grdResults->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grdResults->horizontalHeader()->setSectionResizeMode(ColPoint, QHeaderView::Stretch);
    m_grdResults->setMinimumSize(760, 300);
    m_grdResults->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    m_grdResults->setWordWrap(false);

    m_cmdStart->setObjectName(QStringLiteral("cmdStart"));
    m_cmdAbort->setObjectName(QStringLiteral("cmdAbort"));
    m_cmdSave->setObjectName(QStringLiteral("cmdSaveReport"));
    m_cmdPrint->setObjectName(QStringLiteral("cmdPrint"));
    m_cmdClose->setObjectName(QStringLiteral("cmdClose"));
    for (QPushButton *b : {m_cmdStart, m_cmdAbort, m_cmdSave, m_cmdPrint, m_cmdClose})
        b->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_cmdStart);
    buttons->addWidget(m_cmdAbort);
    buttons->addStretch();
    buttons->addWidget(m_cmdSave);
    buttons->addWidget(m_cmdPrint);
    buttons->addWidget(m_cmdClose);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(setup);
    layout->addWidget(m_lblPrompt);
    layout->addWidget(m_lblStatus);
    layout->addWidget(m_prgPoints);
    layout->addWidget(m_grdResults, 1);
    layout->addLayout(buttons);

    connect(m_cmdStart, &QPushButton::clicked, this, &AutoTuneWindow::startRun);
    connect(m_cmdAbort, &QPushButton::clicked, this, &AutoTuneWindow::abortRun);
    connect(m_cmdSave, &QPushButton::clicked, this, &AutoTuneWindow::saveClicked);
    connect(m_cmdPrint, &QPushButton::clicked, this, &AutoTuneWindow::printClicked);
    connect(m_cmdClose, &QPushButton::clicked, this, &QWidget::close);

    // The table lists the points of the pages chosen.
    auto chosenPoints = [this] {
        std::vector<AutoPage> ticked;
        for (int i = 0; i < AutoPageCount; ++i)
            if (m_chkPage[i]->isChecked())
                ticked.push_back(static_cast<AutoPage>(i));
        if (!running())
            fillTable(PointsOf(DefaultLimits(), ticked));
    };
    for (QCheckBox *c : m_chkPage)
        connect(c, &QCheckBox::toggled, this, chosenPoints);
    chosenPoints();
    m_lblStatus->setText(QStringLiteral("Connect the radio and the test set, then click Start."));
    setRunning(false);
}

void AutoTuneWindow::browse(QLineEdit *field, const char *title, const char *filter)
{
    FileDialogRequest request;
    request.title = title;
    request.defaultExtension = ".yaml";
    request.filters = {{std::string("YAML Files (") + filter + ")", filter}};
    request.initialDir = platform().programFolder;
    if (const auto path = platform().dialogs->openFile(request))
        field->setText(Q(*path));
}

void AutoTuneWindow::findClicked()
{
    m_lblStatus->setText(QStringLiteral("Asking the LAN for LXI instruments\u2026"));
    QCoreApplication::processEvents();
    const auto found = m_host.find();
    m_lblStatus->setText(QStringLiteral("%1 instrument(s) answered.").arg(found.size()));
    if (found.empty())
        return;
    QMenu menu(this);
    for (const auto &[address, identity] : found)
        menu.addAction(Q(address + "   " + identity))->setData(Q(address));
    if (QAction *chosen = menu.exec(QCursor::pos()))
        m_txtInstrument->setText(chosen->data().toString());
}

void AutoTuneWindow::fillTable(const std::vector<PointLimit> &points)
{
    m_grdResults->setRowCount(static_cast<int>(points.size()));
    for (int r = 0; r < static_cast<int>(points.size()); ++r) {
        const PointLimit &l = points[static_cast<std::size_t>(r)];
        const QString texts[ColCount] = {
            Q(l.name),
            Q(ValueText(l.target, l.unit) + " " + l.unit),
            Q(ValueText(l.lower, l.unit) + " \u2026 " + ValueText(l.upper, l.unit)),
            {},
            {},
            {},
            {}};
        for (int c = 0; c < ColCount; ++c) {
            auto *item = new QTableWidgetItem(texts[c]);
            item->setData(Qt::UserRole, Q(l.key));
            m_grdResults->setItem(r, c, item);
        }
    }
    m_grdResults->resizeColumnsToContents();
    m_grdResults->horizontalHeader()->setSectionResizeMode(ColPoint, QHeaderView::Stretch);
    m_prgPoints->setRange(0, static_cast<int>(points.size()));
    m_prgPoints->setValue(0);
}

void AutoTuneWindow::showPoint(const PointResult &point)
{
    for (int r = 0; r < m_grdResults->rowCount(); ++r) {
        if (m_grdResults->item(r, ColPoint)->data(Qt::UserRole).toString() != Q(point.limit.key))
            continue;
        const bool wasOpen = m_grdResults->item(r, ColResult)->text().isEmpty();
        m_grdResults->item(r, ColMeasured)
            ->setText(point.measured
                          ? Q(ValueText(point.value, point.limit.unit) + " " + point.limit.unit)
                          : QString());
        m_grdResults->item(r, ColOld)->setText(Q(point.oldSetting));
        m_grdResults->item(r, ColNew)->setText(Q(point.newSetting));
        QTableWidgetItem *result = m_grdResults->item(r, ColResult);
        result->setText(QString::fromLatin1(VerdictText(point.verdict)));
        result->setToolTip(Q(point.note));
        result->setBackground(point.verdict == Verdict::Pass   ? QColor(0xc8, 0xf0, 0xc8)
                              : point.verdict == Verdict::Fail ? QColor(0xf8, 0xc0, 0xc0)
                                                               : QColor(0xe8, 0xe8, 0xe8));
        if (wasOpen)
            m_prgPoints->setValue(m_prgPoints->value() + 1);
        for (int c : {ColMeasured, ColOld, ColNew})
            m_grdResults->resizeColumnToContents(c);
        m_grdResults->scrollToItem(result);
    }
}

void AutoTuneWindow::setRunning(bool running)
{
    findChild<QWidget *>(QStringLiteral("fraSetup"))->setEnabled(!running);
    m_cmdStart->setEnabled(!running);
    m_cmdClose->setEnabled(!running);
    m_cmdAbort->setEnabled(running);
    m_cmdSave->setEnabled(!running && !m_report.points.empty());
    m_cmdPrint->setEnabled(!running && !m_report.points.empty());
}

void AutoTuneWindow::startRun()
{
    if (running())
        return;
    std::vector<AutoPage> pages;
    std::string chosen;
    for (int i = 0; i < AutoPageCount; ++i) {
        chosen += m_chkPage[i]->isChecked() ? '1' : '0';
        if (m_chkPage[i]->isChecked())
            pages.push_back(static_cast<AutoPage>(i));
    }
    const std::string address = m_txtInstrument->text().trimmed().toStdString();
    const std::string profile = m_cboProfile->currentText().trimmed().toStdString();
    const std::string limitsPath = m_txtLimits->text().trimmed().toStdString();
    auto say = [](const std::string &text) {
        platform().dialogs->message(text, "AutoTune", MsgButtons::Ok, MsgIcon::Exclamation);
    };
    if (pages.empty())
        return say("Choose at least one page.");
    std::vector<PointLimit> limits = DefaultLimits();
    std::string why;
    if (!limitsPath.empty()) {
        const auto text = platform().files->read(limitsPath, 1 << 20);
        if (!text)
            return say("The limits file " + limitsPath + " cannot be read.");
        if (!ApplyLimitsText(std::string(text->begin(), text->end()), limits, why))
            return say("The limits file " + limitsPath + " is not usable: " + why);
    }
    SaveSetting(InstrumentKey, address);
    SaveSetting(ProfileKey, profile);
    SaveSetting(LimitsKey, limitsPath);
    SaveSetting(PagesKey, chosen);
    m_lblStatus->setText(QStringLiteral("Connecting to the test set\u2026"));
    std::unique_ptr<TestSet> set = m_host.open ? m_host.open(address, profile, why) : nullptr;
    if (!set) {
        m_lblStatus->setText(QStringLiteral("Not started: the test set cannot be used."));
        return say("The test set at " + address + " cannot be used: " + why);
    }

    AutoTuneRunner runner(*set, limits);
    fillTable(runner.pointsOf(pages));
    runner.onStatus = [this](const std::string &text) { m_lblStatus->setText(Q(text)); };
    runner.onPrompt = [this](const std::string &text) {
        m_lblPrompt->setText(Q(text));
        m_lblPrompt->setVisible(!text.empty());
    };
    runner.onPoint = [this](const PointResult &p) { showPoint(p); };
    runner.onCoil = coil;
    m_runner = &runner;
    m_report = {};
    setRunning(true);
    m_report = runner.run(pages);
    m_runner = nullptr;
    for (const PointResult &p : m_report.points)
        showPoint(p);
    m_lblPrompt->hide();
    m_lblStatus->setText(Q((m_report.allPassed() ? "PASS: " : "FAIL: ") +
                           std::to_string(m_report.passed()) + " of " +
                           std::to_string(m_report.points.size()) + " points pass" +
                           (m_report.stopReason.empty() ? "" : " \u2014 " + m_report.stopReason)));
    setRunning(false);
    if (m_closeAsked)
        close();
}

void AutoTuneWindow::abortRun()
{
    if (m_runner)
        m_runner->requestAbort(AbortCause::Button);
}

void AutoTuneWindow::closeEvent(QCloseEvent *event)
{
    // The run ends through the running page's own way out first.
    if (m_runner) {
        m_closeAsked = true;
        m_runner->requestAbort(AbortCause::WindowClosed);
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

bool AutoTuneWindow::saveReport(const std::string &path)
{
    std::vector<std::uint8_t> bytes;
    if (EndsWith(path, ".csv") || EndsWith(path, ".CSV")) {
        const std::string csv = ReportCsv(m_report);
        bytes.assign(csv.begin(), csv.end());
    } else if (EndsWith(path, ".json") || EndsWith(path, ".JSON")) {
        const std::string json = ReportJson(m_report);
        bytes.assign(json.begin(), json.end());
    } else {
        bytes =
            PrintToPdf("AutoTune Report", [this](Printer &p) { PrintAutoTuneReport(p, m_report); });
    }
    if (!bytes.empty() && platform().files->writeAtomic(path, bytes))
        return true;
    platform().dialogs->message("Unable to write " + path, "AutoTune", MsgButtons::Ok,
                                MsgIcon::Exclamation);
    return false;
}

void AutoTuneWindow::saveClicked()
{
    FileDialogRequest request;
    request.title = "Save Report";
    request.defaultExtension = ".pdf";
    request.filters = {{"PDF Files (*.pdf)", "*.pdf"},
                       {"CSV Files (*.csv)", "*.csv"},
                       {"JSON Files (*.json)", "*.json"}};
    request.initialDir = platform().documentsFolder;
    request.proposedName =
        "AutoTune " + (m_report.serial.empty() ? "report" : m_report.serial) + ".pdf";
    if (const auto path = platform().dialogs->saveFile(request))
        saveReport(*path);
}

void AutoTuneWindow::printClicked()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("AutoTune Report"));
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    QtPagePrinter page(&printer);
    if (page.isActive())
        PrintAutoTuneReport(page, m_report);
}

void OpenAutoTune(QWidget *parent, const AutoTuneHost &host)
{
    AutoTuneWindow window(host, parent);
    window.exec();
}
