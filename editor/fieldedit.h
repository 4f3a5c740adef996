#pragma once

#include <QObject>

#include <functional>
#include <string>

class QComboBox;
class QLineEdit;
class QWidget;

struct TextFieldEdit;

// Shows the text a leave rule stored, and marks the data changed when the bytes changed.
void ShowFieldEdit(QLineEdit *field, const TextFieldEdit &edit);

// Moves the keyboard focus to the next control that takes Tab focus, as Tab would.
void FocusNextControl(QWidget *from);

// The editing rule of the text fields: getting the focus saves the text (onFocus may record it
// elsewhere too) and selects all of it; Enter moves on; Esc puts the saved text back; losing
// the focus calls onLeave, which validates and stores. Focus lost to another window or a
// pop-up is not leaving the field.
class TextFieldRule : public QObject
{
    Q_OBJECT

public:
    TextFieldRule(QLineEdit *field, std::function<void()> onLeave,
                  std::function<void(const std::string &)> onFocus = {});
    const std::string &savedText() const { return m_saved; }
    // Runs the leave rule now, as losing the focus would (a click on the tree or a tab).
    void commit();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *m_field;
    std::function<void()> m_onLeave;
    std::function<void(const std::string &)> m_onFocus;
    std::string m_saved;
    bool m_leaving = false;
};

// Enter in a drop-down list moves the focus on instead of opening it.
void InstallEnterMovesOn(QComboBox *box);

// Keeps a control disabled while its rule says so, even when a whole pane is enabled again
// after a radio transfer.
void KeepDisabledWhile(QWidget *control, std::function<bool()> ruleDisables);
