#pragma once

#include "panelayout.h"

#include <QGroupBox>

#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TextFieldRule;
enum class GlobalFrame;

// The "Global Settings (2)" pane of the Globals view: options, priority, display and user
// channel guard frames, and the PC edit lock buttons.
class Globals2Pane : public QGroupBox
{
    Q_OBJECT

public:
    explicit Globals2Pane(QWidget *parent = nullptr);
    ~Globals2Pane() override;

    // Arranges the pane's controls for its current size.
    void SetupGlobals2Frame();
    // Shows the values of the MemMap.
    void LoadGlobal2Settings();
    // Runs the leave rule of the text field that has the focus.
    void CommitPendingEdit();

private:
    struct Row {
        QLabel *label;
        QWidget *control;
    };
    struct Frame {
        QGroupBox *box;
        std::vector<Row> rows;
    };
    void addChoices(Frame &frame, GlobalFrame rows);
    QLineEdit *addTextField(Frame &frame, const char *name, const char *caption);
    // Lays out a frame's rows and returns its height; width is the frame's outer width.
    int placeFrame(Frame &frame, int left, int top, int extraTop = 0);
    int frameWidth(const Frame &frame) const;
    void loadLists();

    Frame m_fraMisc;
    Frame m_fraPri;
    Frame m_fraDisp;
    Frame m_fraUCG;
    QGroupBox *m_fraPCLock = nullptr;
    QCheckBox *m_chkPriOpts = nullptr;
    QLineEdit *m_txtKeyPadPwd = nullptr;
    QLineEdit *m_txtANIID = nullptr;
    TextFieldRule *m_pwdRule = nullptr;
    TextFieldRule *m_aniRule = nullptr;
    QPushButton *m_cmdPCPassword = nullptr;
    QPushButton *m_cmdPCProtect = nullptr;
    QLabel *m_lblPCLock = nullptr;
    std::vector<LabelledChoice> m_lists;
};
