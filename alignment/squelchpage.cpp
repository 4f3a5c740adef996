#include "squelchpage.h"

#include "scrollpagekit.h"

SquelchPage::SquelchPage(TuneScreen &screen, QWidget *parent)
    : QFrame(parent), m_lblInstr(PageInstructions(QStringLiteral("lblInstr"), this)),
      m_cmdBand{PageButton(QStringLiteral("cmdNarrowband"), QStringLiteral("Narrowband"), this),
                PageButton(QStringLiteral("cmdWideband"), QStringLiteral("Wideband"), this)},
      m_cmdAbort(PageButton(QStringLiteral("cmdSquelchAbort"), QStringLiteral("Abort"), this)),
      m_procedure(screen, *this)
{
    setObjectName(QStringLiteral("fraTab_6"));
    LayOutPage(this, {m_lblInstr}, {m_cmdBand[0], m_cmdBand[1], m_cmdAbort});
    for (int b = 0; b < 2; ++b)
        connect(m_cmdBand[b], &QPushButton::clicked, this, [this, b] { m_procedure.BandClick(b); });
    connect(m_cmdAbort, &QPushButton::clicked, this, [this] { m_procedure.AbortClick(); });
    m_procedure.SetupTabPage();
}

void SquelchPage::setInstructions(const std::string &text)
{
    m_lblInstr->setText(PageText(text));
}

void SquelchPage::setBandButton(int band, const std::string &caption, bool visible, bool enabled)
{
    QPushButton *button = m_cmdBand[band];
    button->setText(QString::fromStdString(caption));
    button->setVisible(visible);
    button->setEnabled(enabled);
}

void SquelchPage::showAbort(bool visible)
{
    m_cmdAbort->setVisible(visible);
}
