#include "powerlevelspage.h"

#include "scrollpagekit.h"

PowerLevelsPage::PowerLevelsPage(TuneScreen &screen, QWidget *parent)
    : QFrame(parent), m_lblInstr(PageInstructions(QStringLiteral("lblInstr"), this)),
      m_cmdHigh(
          PageButton(QStringLiteral("cmdSetHighPower"), QStringLiteral("Set HIGH Power"), this)),
      m_cmdLow(PageButton(QStringLiteral("cmdSetLowPower"), QStringLiteral("Set LOW Power"), this)),
      m_cmdFinished(
          PageButton(QStringLiteral("cmdPowerFinished"), QStringLiteral("Finished/Quit"), this)),
      m_lblCaption(new QLabel(QStringLiteral("Value:"), this)), m_lblValue(new QLabel(this)),
      m_hsb(PageScrollBar(QStringLiteral("hsbPower"), this)), m_procedure(screen, *this)
{
    setObjectName(QStringLiteral("fraTab_3"));
    m_lblCaption->setObjectName(QStringLiteral("lblPowerValueCaption"));
    m_lblValue->setObjectName(QStringLiteral("lblPowerValue"));
    m_hsb->setRange(0, 255);
    LayOutPage(this, {m_lblInstr, m_hsb},
               {m_cmdHigh, m_cmdLow, m_cmdFinished, m_lblCaption, m_lblValue});
    connect(m_cmdHigh, &QPushButton::clicked, this, [this] { m_procedure.SetHighClick(); });
    connect(m_cmdLow, &QPushButton::clicked, this, [this] { m_procedure.SetLowClick(); });
    connect(m_cmdFinished, &QPushButton::clicked, this, [this] { m_procedure.FinishedClick(); });
    // A drag reports each position as it goes and a change when the thumb is let go.
    connect(m_hsb, &QScrollBar::valueChanged, this, [this](int v) {
        if (m_hsb->isSliderDown())
            m_procedure.ScrollDrag(v);
        else
            m_procedure.ScrollChange(v);
    });
    connect(m_hsb, &QScrollBar::sliderReleased, this,
            [this] { m_procedure.ScrollChange(m_hsb->value()); });
    m_procedure.SetupTabPage();
}

void PowerLevelsPage::setInstructions(const std::string &text)
{
    m_lblInstr->setText(PageText(text));
}

void PowerLevelsPage::showSetButtons(bool visible)
{
    m_cmdHigh->setVisible(visible);
    m_cmdLow->setVisible(visible);
}

void PowerLevelsPage::showAdjustControls(bool visible)
{
    for (QWidget *w : {static_cast<QWidget *>(m_cmdFinished), static_cast<QWidget *>(m_hsb),
                       static_cast<QWidget *>(m_lblCaption), static_cast<QWidget *>(m_lblValue)})
        w->setVisible(visible);
}

void PowerLevelsPage::setScrollValue(int value)
{
    m_hsb->setValue(value);
}

void PowerLevelsPage::setValueText(const std::string &text)
{
    m_lblValue->setText(QString::fromStdString(text));
}
