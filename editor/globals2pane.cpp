#include "globals2pane.h"

#include "appsettings.h"
#include "caption.h"
#include "dialogs.h"
#include "fieldedit.h"
#include "globalcodec.h"
#include "globaloptions.h"
#include "memmap.h"
#include "panecontrols.h"
#include "panelayout.h"
#include "platform.h"
#include "textfields.h"
#include "textmeasure.h"
#include "windowlayout.h"
#include "windowservices.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace
{
constexpr int ListWidth = 1800;
constexpr int TextBoxHeight = 315;
constexpr int MinFramePad = 90; // inside a frame, left of the labels and right of the lists
constexpr int FrameGap = 90;    // between frames
constexpr int MinFirstRowInFrame = 300;
constexpr int ContentGap = 45; // 3 px at 96 DPI between the style's content margin and a control

QGroupBox *makeFrame(QWidget *parent, const char *name, const char *title)
{
    auto *frame = new QGroupBox(QString::fromLatin1(title), parent);
    frame->setObjectName(QString::fromLatin1(name));
    // Announced by its own title, not as the pane around it.
    frame->setAccessibleName(QString::fromLatin1(title));
    return frame;
}

// The frame's padding and first row, never inside the margins the style draws the frame and its
// title in.
int FramePadOf(QGroupBox *frame)
{
    frame->ensurePolished();
    return std::max(MinFramePad,
                    PixelsToTwips(frame->contentsMargins().left(), ScreenDpi()) + ContentGap);
}

int FirstRowOf(QGroupBox *frame)
{
    frame->ensurePolished();
    return std::max(MinFirstRowInFrame,
                    PixelsToTwips(frame->contentsMargins().top(), ScreenDpi()) + ContentGap);
}

int widthOf(const QWidget *w)
{
    return PixelsToTwips(w->sizeHint().width(), ScreenDpi());
}

// Lists are at least as wide as their longest entry needs.
int controlWidth(const QWidget *w)
{
    return std::max(ListWidth, widthOf(w));
}
} // namespace

Globals2Pane::Globals2Pane(QWidget *parent)
    : QGroupBox(QStringLiteral("Global Settings (2)"), parent)
{
    setObjectName(QStringLiteral("fraGlobalSettings2"));
    setFont(GridFont());

    m_fraMisc.box = makeFrame(this, "fraMisc", "Options");
    m_txtKeyPadPwd = addTextField(m_fraMisc, "txtKeyPadPwd", "Keypad Edit Password:");
    addChoices(m_fraMisc, GlobalFrame::Misc);
    m_txtANIID = addTextField(m_fraMisc, "txtANIID", "ANI ID:");
    m_txtANIID->setToolTip(QStringLiteral(" ANI ID: Enter a 7 digit number "));
    m_pwdRule = new TextFieldRule(m_txtKeyPadPwd, [this] {
        ShowFieldEdit(m_txtKeyPadPwd, EditKeypadPwd(MemMap, m_txtKeyPadPwd->text().toStdString()));
    });
    m_aniRule = new TextFieldRule(m_txtANIID, [this] {
        ShowFieldEdit(m_txtANIID, EditANIID(MemMap, m_txtANIID->text().toStdString()));
    });

    m_fraDisp.box = makeFrame(this, "fraDisp", "Display Options");
    addChoices(m_fraDisp, GlobalFrame::Disp);
    m_fraUCG.box = makeFrame(this, "fraUCG", "User Channel Guard Options");
    addChoices(m_fraUCG, GlobalFrame::UCG);

    m_fraPri.box = makeFrame(this, "fraPri", "Priority Options");
    m_chkPriOpts = new QCheckBox(QStringLiteral("Transmit on Priority 1"), m_fraPri.box);
    m_chkPriOpts->setObjectName(QStringLiteral("chkPriOpts"));
    connect(m_chkPriOpts, &QCheckBox::clicked, this, [](bool checked) {
        if (checked != GetTxOnPri1(MemMap)) {
            SetTxOnPri1(MemMap, checked);
            MarkDataChanged();
        }
    });
    addChoices(m_fraPri, GlobalFrame::Pri);

    m_fraPCLock = makeFrame(this, "fraPCLock", "PC Edit Lock");
    m_cmdPCPassword = new QPushButton(QStringLiteral("Change PC Edit Password"), m_fraPCLock);
    m_cmdPCPassword->setObjectName(QStringLiteral("cmdPCEditPassword"));
    m_cmdPCProtect =
        new QPushButton(QStringLiteral("Password Protect Radio Against PC Editing"), m_fraPCLock);
    m_cmdPCProtect->setObjectName(QStringLiteral("cmdPCEditProtect"));
    m_lblPCLock = MakeLabel(m_fraPCLock, QStringLiteral("lblPCLockInfo"),
                            QStringLiteral("The PC edit lock is not available in this version."));
    m_lblPCLock->setWordWrap(true);
    for (QPushButton *button : {m_cmdPCPassword, m_cmdPCProtect}) {
        // The lock is not offered: the buttons only say so.
        connect(button, &QPushButton::clicked, this, [] {
            platform().dialogs->message("What?", ProgramTitle, MsgButtons::Ok, MsgIcon::None);
        });
    }

    LoadComboBoxes(this);
    hide();
}

Globals2Pane::~Globals2Pane()
{
    // A focused field destroyed with the window is not an edit.
    delete m_pwdRule;
    delete m_aniRule;
}

void Globals2Pane::addChoices(Frame &frame, GlobalFrame rows)
{
    for (const GlobalOption *option : GlobalOptionsIn(rows)) {
        const LabelledChoice choice = MakeGlobalChoice(frame.box, *option, [this] { loadLists(); });
        frame.rows.push_back({choice.label, choice.box});
        m_lists.push_back(choice);
    }
}

QLineEdit *Globals2Pane::addTextField(Frame &frame, const char *name, const char *caption)
{
    QLabel *label = MakeLabel(frame.box, QStringLiteral("lbl") + QString::fromLatin1(name + 3),
                              QString::fromLatin1(caption));
    auto *field = new QLineEdit(frame.box);
    field->setObjectName(QString::fromLatin1(name));
    SetLabelFor(label, field);
    frame.rows.push_back({label, field});
    return field;
}

int Globals2Pane::frameWidth(const Frame &frame) const
{
    int labels = 0;
    int controls = 0;
    for (const Row &row : frame.rows) {
        labels = std::max(labels, widthOf(row.label));
        controls = std::max(controls, controlWidth(row.control));
    }
    const int pad = FramePadOf(frame.box);
    return pad + labels + 30 + controls + pad;
}

static int framedControlWidth(const std::vector<QWidget *> &controls)
{
    int widest = 0;
    for (const QWidget *w : controls)
        widest = std::max(widest, controlWidth(w));
    return widest;
}

int Globals2Pane::placeFrame(Frame &frame, int left, int top, int extraTop)
{
    int labels = 0;
    for (const Row &row : frame.rows)
        labels = std::max(labels, widthOf(row.label));
    const int controlLeft = FramePadOf(frame.box) + labels + 30;
    std::vector<QWidget *> controls;
    for (const Row &row : frame.rows)
        controls.push_back(row.control);
    const int width = framedControlWidth(controls);
    const int pitch = RowPitch(m_fraMisc.rows[1].control);
    int rowTop = FirstRowOf(frame.box) + extraTop;
    for (const Row &row : frame.rows) {
        const bool text = qobject_cast<QLineEdit *>(row.control) != nullptr;
        PlaceLabelled(row.label, row.control, controlLeft, rowTop, width, text ? TextBoxHeight : 0);
        rowTop += pitch;
    }
    const int height = rowTop - pitch + TextBoxHeight + FramePadOf(frame.box);
    PlaceTwips(frame.box, left, top, frameWidth(frame), height);
    return height;
}

void Globals2Pane::SetupGlobals2Frame()
{
    // Two columns: options with display and user channel guard below; priority with the PC
    // edit lock below.
    const int left = 120;
    int top = PaneFirstRowTop(this);
    top += placeFrame(m_fraMisc, left, top) + FrameGap;
    top += placeFrame(m_fraDisp, left, top) + FrameGap;
    placeFrame(m_fraUCG, left, top);
    const int leftWidth =
        std::max({frameWidth(m_fraMisc), frameWidth(m_fraDisp), frameWidth(m_fraUCG)});
    for (Frame *frame : {&m_fraMisc, &m_fraDisp, &m_fraUCG})
        frame->box->resize(TwipsToPixels(leftWidth, ScreenDpi()), frame->box->height());

    const int right = left + leftWidth + FrameGap;
    const int checkHeight = NaturalHeight(m_chkPriOpts);
    PlaceTwips(m_chkPriOpts, FramePadOf(m_fraPri.box), FirstRowOf(m_fraPri.box),
               widthOf(m_chkPriOpts), checkHeight);
    top = PaneFirstRowTop(this);
    top += placeFrame(m_fraPri, right, top, RowPitch(m_chkPriOpts)) + FrameGap;

    const int priWidth = frameWidth(m_fraPri);
    const int pad = FramePadOf(m_fraPCLock);
    const int firstRow = FirstRowOf(m_fraPCLock);
    const int buttonWidth = priWidth - 2 * pad;
    const int buttonHeight = NaturalHeight(m_cmdPCProtect);
    PlaceTwips(m_cmdPCPassword, pad, firstRow, buttonWidth, buttonHeight);
    PlaceTwips(m_cmdPCProtect, pad, firstRow + buttonHeight + 90, buttonWidth, buttonHeight);
    const int infoTop = firstRow + 2 * (buttonHeight + 90);
    const int infoHeight = PixelsToTwips(
        m_lblPCLock->heightForWidth(TwipsToPixels(buttonWidth, ScreenDpi())), ScreenDpi());
    PlaceTwips(m_lblPCLock, pad, infoTop, buttonWidth, infoHeight);
    PlaceTwips(m_fraPCLock, right, top, priWidth, infoTop + infoHeight + pad);
}

void Globals2Pane::loadLists()
{
    for (const LabelledChoice &choice : m_lists)
        ShowGlobalChoice(choice);
}

void Globals2Pane::LoadGlobal2Settings()
{
    loadLists();
    m_chkPriOpts->setChecked(GetTxOnPri1(MemMap));
    m_txtKeyPadPwd->setText(QString::fromStdString(GetKeypadPwd(MemMap)));
    m_txtANIID->setText(QString::fromStdString(GetANIID(MemMap)));
}

void Globals2Pane::CommitPendingEdit()
{
    if (m_txtKeyPadPwd->hasFocus())
        m_pwdRule->commit();
    if (m_txtANIID->hasFocus())
        m_aniRule->commit();
}
