#include "panecontrols.h"

#include "textmeasure.h"
#include "windowlayout.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

void EnablePaneInputs(QWidget *pane, bool enable)
{
    const auto children = pane->findChildren<QWidget *>();
    for (QWidget *w : children) {
        if (qobject_cast<QAbstractButton *>(w) || qobject_cast<QComboBox *>(w) ||
            qobject_cast<QAbstractItemView *>(w) ||
            (qobject_cast<QLineEdit *>(w) && !qobject_cast<QComboBox *>(w->parentWidget())))
            w->setEnabled(enable);
    }
}

void SetLabelFor(QLabel *label, QWidget *control)
{
    label->setBuddy(control);
    QString name = label->text();
    name.remove(QLatin1Char('&'));
    control->setAccessibleName(name.simplified());
}

