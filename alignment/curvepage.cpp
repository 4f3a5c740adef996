#include "curvepage.h"

#include "scrollpagekit.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

CurvePage::CurvePage(const CurveKind &kind, const QString &frameName, const QString &prefix,
                     TuneScreen &screen, QWidget *parent)
    : QFrame(parent), m_lblInstr(new QLabel(this)),
      m_cmdStart(
          PageButton(QStringLiteral("cmd%1Start").arg(prefix), QStringLiteral("Start"), this)),
      m_cmdAbort(
          PageButton(QStringLiteral("cmd%1Abort").arg(prefix), QStringLiteral("Abort"), this)),
      m_hsb(new QScrollBar(Qt::Horizontal, this)),
      m_lblCaption(new QLabel(QStringLiteral("Value:"), this)), m_lblValue(new QLabel(this)),
      m_procedure(kind, screen, *this)
{
    setObjectName(frameName);
    m_lblInstr->setObjectName(QStringLiteral("lbl%1Instr").arg(prefix));
    m_lblInstr->setTextFormat(Qt::PlainText);
    m_lblInstr->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_lblInstr->setMinimumHeight(m_lblInstr->fontMetrics().lineSpacing() * 9);
    m_hsb->setObjectName(QStringLiteral("hsb%1").arg(prefix));
    m_hsb->setMinimumWidth(260);
    KeyboardScrollBar(m_hsb);
    m_lblCaption->setObjectName(QStringLiteral("lbl%1ValueCaption").arg(prefix));
    m_lblValue->setObjectName(QStringLiteral("lbl%1Value").arg(prefix));
    m_lblValue->setMinimumWidth(
        m_lblValue->fontMetrics().horizontalAdvance(QStringLiteral("65535 (HEX: FFFF)")));

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_cmdStart);
    buttons->addWidget(m_cmdAbort);
    buttons->addStretch();
    auto *scroll = new QHBoxLayout;
    scroll->addWidget(m_hsb, 1);
    scroll->addWidget(m_lblCaption);
    scroll->addWidget(m_lblValue);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_lblInstr);
    layout->addLayout(scroll);
    layout->addLayout(buttons);
    layout->addStretch();

    connect(m_cmdStart, &QPushButton::clicked, this, [this] { m_procedure.StartClick(); });
    connect(m_cmdAbort, &QPushButton::clicked, this, [this] { m_procedure.AbortClick(); });
    connect(m_hsb, &QScrollBar::valueChanged, this,
            [this](int value) { m_procedure.ScrollChanged(value); });
    m_procedure.SetupTabPage();
}

void CurvePage::setInstructions(const std::string &text)
{
    // Labels break lines at LF; the CR of the texts' CR LF is dropped for display.
    m_lblInstr->setText(QString::fromStdString(text).remove(QLatin1Char('\r')));
}

void CurvePage::setStartButton(const std::string &caption)
{
    m_cmdStart->setText(QString::fromStdString(caption));
}

void CurvePage::showRunControls(bool shown)
{
    for (QWidget *w : {static_cast<QWidget *>(m_cmdAbort), static_cast<QWidget *>(m_hsb),
                       static_cast<QWidget *>(m_lblCaption), static_cast<QWidget *>(m_lblValue)}) {
        // The page keeps its size while a run's controls come and go.
        QSizePolicy policy = w->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        w->setSizePolicy(policy);
        w->setVisible(shown);
    }
}

void CurvePage::setScrollRange(int maximum)
{
    m_hsb->setRange(0, maximum);
}

void CurvePage::setScrollValue(int value)
{
    m_hsb->setValue(value);
}

int CurvePage::scrollValue() const
{
    return m_hsb->value();
}

void CurvePage::setValueLabel(const std::string &text)
{
    m_lblValue->setText(QString::fromStdString(text));
}
