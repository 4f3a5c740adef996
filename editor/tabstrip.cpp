#include "tabstrip.h"

static const char *const SettingsTabCaptions[] = {"Global Settings (1)", "Global Settings (2)",
                                                  "Command Group", "UTXG Pick List"};

void FixedWidthTabBar::setFixedTabWidth(int pixels)
{
    if (pixels == m_tabWidth)
        return;
    m_tabWidth = pixels;
    updateGeometry();
    adjustSize();
}

QSize FixedWidthTabBar::tabSizeHint(int index) const
{
    QSize size = QTabBar::tabSizeHint(index);
    if (m_tabWidth > 0)
        size.setWidth(m_tabWidth);
    return size;
}

TabStrip::TabStrip(QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("Tab1"));
    setFrameShape(QFrame::StyledPanel);
    setAccessibleName(tr("Settings and channels"));
    m_bar = new FixedWidthTabBar(this);
    m_bar->setObjectName(QStringLiteral("Tab1Tabs"));
    m_bar->setAccessibleName(tr("Settings pages"));
    m_bar->setExpanding(false);
    m_bar->setElideMode(Qt::ElideRight);
    m_bar->setDrawBase(true);
    connect(m_bar, &QTabBar::currentChanged, this, [this](int index) {
        if (!m_rebuilding && index >= 0)
            Q_EMIT tabClicked(index + 1);
    });
    // A click on the tab already shown changes nothing in the bar, but is a click all the same.
    connect(m_bar, &QTabBar::tabBarClicked, this, [this](int index) {
        if (!m_rebuilding && index >= 0 && index == m_bar->currentIndex())
            Q_EMIT tabClicked(index + 1);
    });
}

void TabStrip::setSettingsTabs(bool show)
{
    m_rebuilding = true;
    if (show && m_bar->count() != 4) {
        while (m_bar->count() > 0)
            m_bar->removeTab(0);
        for (const char *caption : SettingsTabCaptions)
            m_bar->addTab(QString::fromLatin1(caption));
    } else if (!show) {
        while (m_bar->count() > 0)
            m_bar->removeTab(0);
    }
    // Without tabs the strip is only a background and takes no keyboard focus.
    m_bar->setFocusPolicy(show ? Qt::StrongFocus : Qt::NoFocus);
    m_bar->setVisible(show);
    m_rebuilding = false;
}

int TabStrip::tabCount() const
{
    return m_bar->count();
}

int TabStrip::selectedTab() const
{
    return m_bar->currentIndex() + 1;
}

void TabStrip::selectTab(int index)
{
    m_rebuilding = true;
    m_bar->setCurrentIndex(index - 1);
    m_rebuilding = false;
}

void TabStrip::setFixedTabWidth(int pixels)
{
    m_bar->setFixedTabWidth(pixels);
    m_bar->setGeometry(0, 0, width(), m_bar->sizeHint().height());
}

int TabStrip::tabRowHeight() const
{
    return m_bar->sizeHint().height();
}

void TabStrip::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    m_bar->setGeometry(0, 0, width(), m_bar->sizeHint().height());
}
