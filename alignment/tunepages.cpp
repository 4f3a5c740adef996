#include "tunepages.h"

#include "scrollpagekit.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

FreqAdjustPage::FreqAdjustPage(TuneScreen &screen, QWidget *parent)
    : QFrame(parent), m_lblInstr(PageInstructions(QStringLiteral("lblFreqInstr"), this)),
      m_txtFreq(new QLineEdit(this)),
      m_cmdStart(PageButton(QStringLiteral("cmdFreqStart"), QStringLiteral("Start"), this)),
      m_cmdQuit(PageButton(QStringLiteral("cmdFreqQuit"), QStringLiteral("QUIT"), this)),
      m_procedure(screen, *this)
{
    setObjectName(QStringLiteral("fraTab_1"));
    m_txtFreq->setObjectName(QStringLiteral("txtFreq"));
    m_txtFreq->installEventFilter(this);
    m_txtFreq->setMaximumWidth(
        m_txtFreq->fontMetrics().horizontalAdvance(QStringLiteral("0000.0000000")) + 16);
    LayOutPage(this, {m_lblInstr}, {m_txtFreq, m_cmdStart, m_cmdQuit});
    connect(m_cmdStart, &QPushButton::clicked, this, [this] { m_procedure.StartFinishClick(); });
    connect(m_cmdQuit, &QPushButton::clicked, this, [this] { m_procedure.QuitClick(); });
}

bool FreqAdjustPage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_txtFreq && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            m_procedure.EntryEnter();
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}

void FreqAdjustPage::setInstructions(const std::string &text)
{
    m_lblInstr->setText(PageText(text));
}

void FreqAdjustPage::setEntry(const std::string &text, bool enabled)
{
    m_txtFreq->setText(QString::fromStdString(text));
    m_txtFreq->setEnabled(enabled);
}

std::string FreqAdjustPage::entryText() const
{
    return m_txtFreq->text().toStdString();
}

void FreqAdjustPage::focusEntry(int from)
{
    m_txtFreq->setFocus();
    if (from >= 0)
        m_txtFreq->setSelection(from, static_cast<int>(m_txtFreq->text().size()) - from);
}

void FreqAdjustPage::setStartButton(const std::string &caption, bool enabled)
{
    m_cmdStart->setText(QString::fromStdString(caption));
    m_cmdStart->setEnabled(enabled);
}

void FreqAdjustPage::setQuitEnabled(bool enabled)
{
    m_cmdQuit->setEnabled(enabled);
}
