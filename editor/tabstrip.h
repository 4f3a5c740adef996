#pragma once

#include <QFrame>
#include <QTabBar>

// A tab bar whose tabs all share one fixed width.
class FixedWidthTabBar : public QTabBar
{
    Q_OBJECT

public:
    using QTabBar::QTabBar;
    void setFixedTabWidth(int pixels);

protected:
    QSize tabSizeHint(int index) const override;

private:
    int m_tabWidth = 0;
};

// The right pane's tab strip: the row of settings tabs over a framed area that hosts the panes.
// In the Channels view it has no tabs and is only the grid pane's background.
class TabStrip : public QFrame
{
    Q_OBJECT

public:
    explicit TabStrip(QWidget *parent = nullptr);

    // Adds the four settings tabs (or removes every tab); the tabs keep their 1-based index.
    void setSettingsTabs(bool show);
    int tabCount() const;
    int selectedTab() const; // 1-based, 0 without tabs
    void selectTab(int index);
    void setFixedTabWidth(int pixels);
    int tabRowHeight() const;
    QTabBar *tabBar() const { return m_bar; }

Q_SIGNALS:
    // The user chose a tab (1-based); not emitted while the tabs are rebuilt.
    void tabClicked(int index);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    FixedWidthTabBar *m_bar = nullptr;
    bool m_rebuilding = false;
};
