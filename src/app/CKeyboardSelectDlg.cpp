// Keyboard selection dialog: two texts and two radio buttons in an etched frame, and OK.
#include "CKeyboardSelectDlg.h"

#include <QDialogButtonBox>
#include <QFrame>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

CKeyboardSelectDlg::CKeyboardSelectDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("keyboardSelectDialog"));
    setWindowTitle(tr("Select Masterkeyboard"));

    auto* frame = new QFrame(this);
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    auto* frameLayout = new QVBoxLayout(frame);
    auto* question =
        new QLabel(tr("Please choose which  Masterkeyboard you want to configure now."), frame);
    question->setWordWrap(true);
    auto* hint = new QLabel(tr("If you want to change this setting at runtime, you can do this in "
                               "menu Options/Keyboard. You can find the actual setting in the "
                               "Statusbar of this program."),
                            frame);
    hint->setWordWrap(true);
    lmk3Button = new QRadioButton(tr("LMK3 Version 4.xx"), frame);
    lmk3Button->setObjectName(QStringLiteral("lmk3Radio"));
    lmk4Button = new QRadioButton(tr("LMK4 und LMK4+"), frame);
    lmk4Button->setObjectName(QStringLiteral("lmk4Radio"));
    lmk3Button->setChecked(true);
    frameLayout->addWidget(question);
    frameLayout->addWidget(hint);
    frameLayout->addSpacing(6);
    frameLayout->addWidget(lmk3Button);
    frameLayout->addWidget(lmk4Button);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addWidget(buttons);
    setMinimumWidth(380);
}

void CKeyboardSelectDlg::accept() {
    chosenType = lmk4Button->isChecked() ? 4 : 3;
    QDialog::accept();
}
