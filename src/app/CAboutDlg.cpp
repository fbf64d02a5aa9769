// About box.
#include "CAboutDlg.h"

#include "SvgIcon.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("aboutDialog"));
    setWindowTitle(tr("About Presetor"));

    auto* icon = new QLabel(this);
    icon->setPixmap(SvgIcon(QStringLiteral(":/presetor/presetor.svg")).pixmap(48, 48));
    icon->setAlignment(Qt::AlignTop);

    auto* text = new QVBoxLayout;
    text->addWidget(new QLabel(tr("Editor for the Masterkeyboards LMK3/3+ and LMK4/4+"), this));
    auto* version = new QLabel(VersionLine(), this);
    version->setObjectName(QStringLiteral("versionLine"));
    text->addWidget(version);
    text->addWidget(
        new QLabel(tr("Built with Qt %1 and RtMidi.").arg(QLatin1String(qVersion())), this));

    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addSpacing(12);
    top->addLayout(text, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
}

QString CAboutDlg::VersionLine() {
    return tr("Version %1.%2.%3 (Build %4)")
        .arg(PRESETOR_VERSION_MAJOR)
        .arg(PRESETOR_VERSION_MINOR)
        .arg(PRESETOR_VERSION_PATCH)
        .arg(PRESETOR_BUILD_NUMBER);
}
