#pragma once

#include <QGroupBox>

class QCheckBox;
class QLabel;
class QLineEdit;
class TextFieldRule;

// The "UTXG Pick List" pane of the Globals view: the keypad lock and the 32 user TX guards.
class UcgPickListPane : public QGroupBox
{
    Q_OBJECT

public:
    explicit UcgPickListPane(QWidget *parent = nullptr);
    ~UcgPickListPane() override;

    // Arranges the pane's controls for its current size.
    void SetupUCGPickListFrame();
    // Shows the values of the MemMap.
    void LoadUCGPickListSettings();
    // Runs the leave rule of the text field that has the focus.
    void CommitPendingEdit();

private:
    static constexpr int Entries = 32;
    QCheckBox *m_chkUCGPickListLock = nullptr;
    QLabel *m_lblIDIndex[Entries] = {};
    QLineEdit *m_txtUCGList[Entries] = {};
    TextFieldRule *m_rules[Entries] = {};
};
