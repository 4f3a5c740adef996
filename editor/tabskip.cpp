#include "tabskip.h"

#include <QWidget>

void TabSkip::skip(bool out)
{
    for (QWidget *w : m_controls) {
        if (!w)
            continue;
        if (out) {
            if (!m_saved.contains(w) && (w->focusPolicy() & Qt::TabFocus)) {
                m_saved.insert(w, w->focusPolicy());
                w->setFocusPolicy(Qt::ClickFocus);
            }
        } else if (m_saved.contains(w)) {
            w->setFocusPolicy(m_saved.take(w));
        }
    }
}
