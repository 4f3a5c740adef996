#include "panestack.h"

#include "changridpane.h"
#include "cmdgrouppane.h"
#include "globals1pane.h"
#include "globals2pane.h"
#include "panecontrols.h"
#include "ucgpicklistpane.h"

PaneStack::PaneStack(QWidget *tabStrip)
    : m_globals1(new Globals1Pane(tabStrip)), m_globals2(new Globals2Pane(tabStrip)),
      m_cmdGroup(new CmdGroupPane(tabStrip)), m_pickList(new UcgPickListPane(tabStrip)),
      m_grid(new ChanGridPane(tabStrip)),
      m_entries{{
          {m_globals1, [p = m_globals1] { p->SetupGlobals1Frame(); },
           [p = m_globals1] { p->LoadGlobalSettings(); }},
          {m_globals2, [p = m_globals2] { p->SetupGlobals2Frame(); },
           [p = m_globals2] { p->LoadGlobal2Settings(); }},
          {m_cmdGroup, [p = m_cmdGroup] { p->SetupCommandGroupFrame(); },
           [p = m_cmdGroup] { p->LoadCmdGrpSettings(); }},
          {m_pickList, [p = m_pickList] { p->SetupUCGPickListFrame(); },
           [p = m_pickList] { p->LoadUCGPickListSettings(); }},
          {m_grid, [p = m_grid] { p->SetupChanGrid(); }, [] {}},
      }}
{
}

QWidget *PaneStack::settingsPane(int tab) const
{
    return tab >= 1 && tab <= 4 ? m_entries[tab - 1].pane : nullptr;
}

QWidget *PaneStack::visible() const
{
    for (const Entry &e : m_entries) {
        if (!e.pane->isHidden())
            return e.pane;
    }
    return nullptr;
}

void PaneStack::hideAllBut(const QWidget *pane)
{
    for (const Entry &e : m_entries) {
        if (e.pane != pane && !e.pane->isHidden())
            e.pane->hide();
    }
}

void PaneStack::setup(QWidget *pane) const
{
    for (const Entry &e : m_entries) {
        if (e.pane == pane)
            e.setup();
    }
}

void PaneStack::load(QWidget *pane) const
{
    for (const Entry &e : m_entries) {
        if (e.pane == pane)
            e.load();
    }
}

void PaneStack::commitPendingEdits() const
{
    // Toolbar buttons, shortcuts and the window frame do not take the focus, so a field or
    // cell being typed in would otherwise keep its text out of what is saved.
    if (m_grid->isVisible())
        m_grid->CommitPendingEdit();
    m_globals1->CommitPendingEdit();
    m_globals2->CommitPendingEdit();
    m_pickList->CommitPendingEdit();
}

void PaneStack::enableVisible(bool enable) const
{
    if (m_grid->isVisible())
        m_grid->EnableControls(enable);
    for (int tab = 1; tab <= 4; ++tab) {
        if (settingsPane(tab)->isVisible())
            EnablePaneInputs(settingsPane(tab), enable);
    }
}
