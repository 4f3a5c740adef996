#include "tunewindow.h"

#include "alignlog.h"
#include "appglobals.h"
#include "appsettings.h"
#include "curvepage.h"
#include "frontendpage.h"
#include "idletexts.h"
#include "powerlevelspage.h"
#include "squelchpage.h"
#include "tunepages.h"
#include "vcopage.h"
#include "windowservices.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTableWidget>
#include <QVBoxLayout>

namespace
{

QString Q(const std::string &text)
{
    return QString::fromStdString(text).remove(QLatin1Char('\r'));
}

} // namespace

std::function<void(QWidget *)> TuneWindow::autoTuneOpener;

TuneWindow::TuneWindow(QWidget *parent)
    : QDialog(parent), m_tabTune(new QTabBar(this)),
      m_chkWarning(new QCheckBox(QStringLiteral("Display warning message when starting."), this)),
      m_cmdQuit(new QPushButton(QStringLiteral("Quit"), this)),
      m_cmdLog(new QPushButton(QStringLiteral("Log\u2026"), this)),
      m_cmdAutoTune(new QPushButton(QStringLiteral("AutoTune\u2026"), this)),
      m_vcoPage(new VCOPage(m_screen, this)), m_freqPage(new FreqAdjustPage(m_screen, this)),
      m_fePage(new FrontEndPage(m_screen, this)), m_powerPage(new PowerLevelsPage(m_screen, this)),
      m_squelchPage(new SquelchPage(m_screen, this)),
      m_curvePage(new CurvePage(PowerCurve, QStringLiteral("fraTab_2"), QStringLiteral("Curve"),
                                m_screen, this)),
      m_modPage(new CurvePage(ModSenseCurve, QStringLiteral("fraTab_4"), QStringLiteral("Mod"),
                              m_screen, this))
{
    setObjectName(QStringLiteral("frmTune"));
    setWindowTitle(QStringLiteral("ZPA Tessaro Tune"));
    setModal(true);
    m_screen.navigation = [this](bool enabled) { EnableTuneNavigation(enabled); };

    m_tabTune->setObjectName(QStringLiteral("tabTune"));
    m_tabTune->setUsesScrollButtons(false);
    for (const char *title : TunePageTitles)
        m_tabTune->addTab(QString::fromLatin1(title));

    m_frames[0] = m_vcoPage;
    m_frames[1] = m_freqPage;
    m_frames[2] = m_curvePage;
    m_frames[3] = m_powerPage;
    m_frames[4] = m_modPage;
    m_frames[5] = m_fePage;
    m_frames[6] = m_squelchPage;

    // The frames share the tab strip's client area; ShowTab shows one at a time.
    auto *client = new QFrame(this);
    client->setObjectName(QStringLiteral("fraTabClient"));
    client->setFrameShape(QFrame::StyledPanel);
    auto *stack = new QGridLayout(client);
    QSize largest;
    for (QFrame *frame : m_frames) {
        frame->setParent(client);
        stack->addWidget(frame, 0, 0);
        largest = largest.expandedTo(frame->sizeHint());
        frame->hide();
    }
    // The window keeps one size whichever page shows.
    client->setMinimumSize(
        largest + QSize(stack->contentsMargins().left() * 2, stack->contentsMargins().top() * 2));

    auto *heading = new QLabel(QString::fromLatin1(TuneWarningHeading), this);
    heading->setObjectName(QStringLiteral("lblWarningHeading"));
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    auto *note = new QLabel(Q(TuneWarningNote), this);
    note->setObjectName(QStringLiteral("lblWarning"));
    m_chkWarning->setObjectName(QStringLiteral("chkShowWarning"));
    m_cmdQuit->setObjectName(QStringLiteral("cmdQuit"));
    m_cmdLog->setObjectName(QStringLiteral("cmdLog"));
    m_cmdQuit->setAutoDefault(false);
    m_cmdLog->setAutoDefault(false);
    m_cmdAutoTune->setObjectName(QStringLiteral("cmdAutoTune"));
    m_cmdAutoTune->setAutoDefault(false);
    m_cmdAutoTune->setVisible(static_cast<bool>(autoTuneOpener));

    auto *bottom = new QHBoxLayout;
    auto *warning = new QVBoxLayout;
    warning->addWidget(heading);
    warning->addWidget(note);
    warning->addWidget(m_chkWarning);
    bottom->addLayout(warning, 1);
    bottom->addWidget(m_cmdAutoTune, 0, Qt::AlignBottom);
    bottom->addWidget(m_cmdLog, 0, Qt::AlignBottom);
    bottom->addWidget(m_cmdQuit, 0, Qt::AlignBottom);
    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(0);
    layout->addWidget(m_tabTune);
    layout->addWidget(client, 1);
    layout->addSpacing(8);
    layout->addLayout(bottom);

    m_chkWarning->setChecked(g_bShowTuneWarning);
    connect(m_chkWarning, &QCheckBox::toggled, this, &TuneWindow::warningToggled);
    connect(m_cmdQuit, &QPushButton::clicked, this, &QWidget::close);
    connect(m_cmdLog, &QPushButton::clicked, this, &TuneWindow::showLog);
    connect(m_cmdAutoTune, &QPushButton::clicked, this, [this] {
        // AutoTune drives pages of its own; this window's pages are idle meanwhile.
        if (autoTuneOpener && runningProcedure() == nullptr)
            autoTuneOpener(this);
    });
    connect(m_tabTune, &QTabBar::currentChanged, this, &TuneWindow::tabChanged);

    VCO_IM(VCOOpenText());
    ShowTab(m_tabTune->currentIndex());
}

void TuneWindow::EnableTuneNavigation(bool enabled)
{
    m_tabTune->setEnabled(enabled);
    m_cmdQuit->setEnabled(enabled);
    m_cmdAutoTune->setEnabled(enabled);
}

void TuneWindow::ShowTab(int index)
{
    for (QFrame *frame : m_frames)
        frame->hide();
    m_frames[static_cast<std::size_t>(index)]->show();
    m_shown = index;
    SetupTabPage(index);
}

void TuneWindow::SetupTabPage(int index)
{
    if (index == 1)
        m_freqPage->procedure().SetupTabPage();
    if (index == 3)
        m_powerPage->procedure().SetupTabPage();
    if (index == 5)
        m_fePage->procedure().SetupTabPage();
    if (index == 6)
        m_squelchPage->procedure().SetupTabPage();
    if (index == 2)
        m_curvePage->procedure().SetupTabPage();
    if (index == 4)
        m_modPage->procedure().SetupTabPage();
}

void TuneWindow::VCO_IM(const std::string &text)
{
    m_vcoPage->VCO_IM(text);
}

void TuneWindow::VCO_MM(const std::string &text)
{
    m_vcoPage->VCO_MM(text);
}

TuneProcedure *TuneWindow::runningProcedure() const
{
    if (m_shown == 1 && m_freqPage->procedure().HoldsRadio())
        return &m_freqPage->procedure();
    if (m_shown == 3 && m_powerPage->procedure().HoldsRadio())
        return &m_powerPage->procedure();
    if (m_shown == 5 && m_fePage->procedure().HoldsRadio())
        return &m_fePage->procedure();
    if (m_shown == 6 && m_squelchPage->procedure().HoldsRadio())
        return &m_squelchPage->procedure();
    if (m_shown == 2 && m_curvePage->procedure().HoldsRadio())
        return &m_curvePage->procedure();
    if (m_shown == 4 && m_modPage->procedure().HoldsRadio())
        return &m_modPage->procedure();
    return nullptr;
}

void TuneWindow::tabChanged(int index)
{
    if (TuneProcedure *running = runningProcedure(); running && !MayLeaveRun(*running)) {
        // Stay on the page whose run holds the radio.
        const QSignalBlocker block(m_tabTune);
        m_tabTune->setCurrentIndex(m_shown);
        return;
    }
    ShowTab(index);
}

bool TuneWindow::mayClose()
{
    // While a procedure talks to the radio the window waits for it (its waits pump events).
    if (!m_cmdQuit->isEnabled())
        return false;
    TuneProcedure *running = runningProcedure();
    return !running || MayLeaveRun(*running);
}

void TuneWindow::closeEvent(QCloseEvent *event)
{
    if (!mayClose()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void TuneWindow::reject()
{
    // Escape and the frame's close button take the same way as "Quit".
    if (mayClose())
        QDialog::reject();
}

void TuneWindow::warningToggled(bool checked)
{
    g_bShowTuneWarning = checked;
    SaveSetting("Show Tune Warning Message", checked ? "Yes" : "No");
    OptionsMenuChanged();
}

void TuneWindow::showLog()
{
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("frmAlignLog"));
    dialog.setWindowTitle(QStringLiteral("Alignment Log"));
    const auto rows = ReadAlignLog();
    auto *table = new QTableWidget(static_cast<int>(rows.size()),
                                   static_cast<int>(AlignLogColumns.size()), &dialog);
    table->setObjectName(QStringLiteral("grdAlignLog"));
    QStringList headings;
    for (const std::string &column : AlignLogColumns)
        headings << QString::fromStdString(column);
    table->setHorizontalHeaderLabels(headings);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const auto &fields = rows[static_cast<std::size_t>(r)];
        for (int c = 0; c < table->columnCount() && c < static_cast<int>(fields.size()); ++c)
            table->setItem(
                r, c,
                new QTableWidgetItem(QString::fromStdString(fields[static_cast<std::size_t>(c)])));
    }
    table->resizeColumnsToContents();
    table->horizontalHeader()->setStretchLastSection(true);
    table->scrollToBottom();
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(table);
    layout->addWidget(buttons);
    dialog.resize(760, 360);
    dialog.exec();
}
