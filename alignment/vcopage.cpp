#include "vcopage.h"

#include "scrollpagekit.h"

#include <QVBoxLayout>

VCOPage::VCOPage(TuneScreen &screen, QWidget *parent)
    : QFrame(parent), m_lblInfo(PageInstructions(QStringLiteral("lblVCOInfo"), this)),
      m_fraMeasure(new QFrame(this)), m_lblMeasure(new QLabel(m_fraMeasure)),
      m_cmdStart(PageButton(QStringLiteral("cmdVCOStart"), QStringLiteral("Start"), this)),
      m_procedure(screen, *this)
{
    setObjectName(QStringLiteral("fraTab_0"));
    const int line = m_lblInfo->fontMetrics().lineSpacing();
    m_lblInfo->setMinimumHeight(line * 3);
    // Room for the longest results text: four lines, one of them a two-line warning.
    setMinimumHeight(line * 8 + 3 * m_cmdStart->sizeHint().height());
    m_fraMeasure->setObjectName(QStringLiteral("fraVCOMeasure"));
    m_fraMeasure->setFrameShape(QFrame::Box);
    m_lblMeasure->setObjectName(QStringLiteral("lblVCOMeasure"));
    m_lblMeasure->setTextFormat(Qt::PlainText);
    auto *inner = new QVBoxLayout(m_fraMeasure);
    inner->setContentsMargins(6, 6, 6, 6); // the frame's height below counts on these
    inner->addWidget(m_lblMeasure);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_lblInfo);
    layout->addWidget(m_fraMeasure);
    layout->addWidget(m_cmdStart, 0, Qt::AlignLeft);
    layout->addStretch();
    connect(m_cmdStart, &QPushButton::clicked, this, [this] { m_procedure.StartClick(); });
    VCO_MM({});
}

void VCOPage::VCO_IM(const std::string &text)
{
    m_lblInfo->setText(PageText(text));
}

void VCOPage::VCO_MM(const std::string &text)
{
    // An empty measurement line takes no room; a shown one gets the height it needs.
    m_lblMeasure->setText(PageText(text));
    m_fraMeasure->setVisible(!text.empty());
    if (!text.empty())
        m_fraMeasure->setFixedHeight(m_lblMeasure->sizeHint().height() +
                                     2 * m_fraMeasure->frameWidth() + 12);
}

QSize VCOPage::sizeHint() const
{
    return QFrame::sizeHint().expandedTo(minimumSize());
}

void VCOPage::showStart(bool visible)
{
    m_cmdStart->setVisible(visible);
}
