#include "fieldedit.h"

#include "caption.h"
#include "textfieldedit.h"
#include "windowservices.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

void FocusNextControl(QWidget *from)
{
    for (QWidget *w = from->nextInFocusChain(); w && w != from; w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && w->isVisible() && w->isEnabled() &&
            !w->focusProxy()) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

TextFieldRule::TextFieldRule(QLineEdit *field, std::function<void()> onLeave,
                             std::function<void(const std::string &)> onFocus)
    : QObject(field), m_field(field), m_onLeave(std::move(onLeave)), m_onFocus(std::move(onFocus))
{
    field->installEventFilter(this);
}

void TextFieldRule::commit()
{
    // A message box shown by the leave rule takes the focus; that is not a second leave.
    if (m_leaving)
        return;
    m_leaving = true;
    m_onLeave();
    m_leaving = false;
}

bool TextFieldRule::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_field)
        return false;
    switch (event->type()) {
    case QEvent::FocusIn: {
        // Coming back from another window or a pop-up is not a new visit: the field keeps the
        // text it had when the user entered it, and its leave rule has not run yet.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
            break;
        m_saved = m_field->text().toStdString();
        if (m_onFocus)
            m_onFocus(m_saved);
        m_field->selectAll();
        break;
    }
    case QEvent::FocusOut: {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            commit();
        break;
    }
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            FocusNextControl(m_field);
            return true;
        }
        if (key == Qt::Key_Escape) {
            m_field->setText(QString::fromStdString(m_saved));
            m_field->selectAll();
            return true;
        }
        break;
    }
    default:
        break;
    }
    return false;
}

namespace
{
class EnterMovesOn : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                FocusNextControl(static_cast<QWidget *>(watched));
                return true;
            }
        }
        return false;
    }
};
} // namespace

void InstallEnterMovesOn(QComboBox *box)
{
    box->installEventFilter(new EnterMovesOn(box));
}

namespace
{
class DisabledRule : public QObject
{
public:
    DisabledRule(QWidget *control, std::function<bool()> rule)
        : QObject(control), m_rule(std::move(rule))
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::EnabledChange) {
            auto *w = static_cast<QWidget *>(watched);
            if (w->isEnabled() && m_rule())
                w->setEnabled(false);
        }
        return false;
    }

private:
    std::function<bool()> m_rule;
};
} // namespace

void KeepDisabledWhile(QWidget *control, std::function<bool()> ruleDisables)
{
    control->installEventFilter(new DisabledRule(control, std::move(ruleDisables)));
}

void ShowFieldEdit(QLineEdit *field, const TextFieldEdit &edit)
{
    field->setText(QString::fromStdString(edit.shown));
    if (edit.changed)
        MarkDataChanged();
}
