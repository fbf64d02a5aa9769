// The about box: icon, the program's line, "Version %d.%d.%d (Build %d)" from the version the
// build gives the program, a line under it, and OK.
#pragma once

#include <QDialog>

class CAboutDlg final : public QDialog {
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget* parent = nullptr);

    // "Version 1.3.2 (Build 3053)" for the version and build number of this build.
    static QString VersionLine();
};
