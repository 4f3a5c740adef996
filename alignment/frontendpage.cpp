#include "frontendpage.h"

#include "scrollpagekit.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

FrontEndPage::FrontEndPage(TuneScreen &screen, QWidget *parent)
    : QFrame(parent), m_lblInstr(PageInstructions(QStringLiteral("lblInstr"), this)),
      m_cmdStart(PageButton(QStringLiteral("cmdFEStart"), QStringLiteral("Start"), this)),
      m_cmdAbort(PageButton(QStringLiteral("cmdFEAbort"), QStringLiteral("Abort"), this)),
      m_lblCaption(new QLabel(QStringLiteral("Value:"), this)), m_lblValue(new QLabel(this)),
      m_hsb(PageScrollBar(QStringLiteral("hsbFE"), this)), m_procedure(screen, *this)
{
    setObjectName(QStringLiteral("fraTab_5"));
    m_lblCaption->setObjectName(QStringLiteral("lblFEValueCaption"));
    m_lblValue->setObjectName(QStringLiteral("lblFEValue"));
    LayOutPage(this, {m_lblInstr, m_hsb}, {m_cmdStart, m_cmdAbort, m_lblCaption, m_lblValue});
    connect(m_cmdStart, &QPushButton::clicked, this, [this] { m_procedure.StartClick(); });
    connect(m_cmdAbort, &QPushButton::clicked, this, [this] { m_procedure.AbortClick(); });
    connect(m_hsb, &QScrollBar::valueChanged, this, [this](int v) { m_procedure.ScrollMoved(v); });
    m_procedure.SetupTabPage();
}

void FrontEndPage::setInstructions(const std::string &text)
{
    m_lblInstr->setText(PageText(text));
}

void FrontEndPage::setStartCaption(const std::string &caption)
{
    m_cmdStart->setText(QString::fromStdString(caption));
}

void FrontEndPage::showAdjustControls(bool visible)
{
    for (QWidget *w : {static_cast<QWidget *>(m_cmdAbort), static_cast<QWidget *>(m_hsb),
                       static_cast<QWidget *>(m_lblCaption), static_cast<QWidget *>(m_lblValue)})
        w->setVisible(visible);
}

void FrontEndPage::setScrollRange(int minimum, int maximum)
{
    m_hsb->setRange(minimum, maximum);
}

void FrontEndPage::setScrollValue(int value)
{
    m_hsb->setValue(value);
}

void FrontEndPage::setValueText(const std::string &text)
{
    m_lblValue->setText(QString::fromStdString(text));
}
