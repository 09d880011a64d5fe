#pragma once
// frmAbout: names the program and its version and starts the
// system-information tool. Shown modal from Help > About; OK destroys it.

#include <QDialog>

class QLabel;
class QPushButton;

namespace trelvane {

class frmAbout : public QDialog {
    Q_OBJECT
public:
    frmAbout();

    // Load handler: title, product name and version.
    void onLoad();

    QLabel* picIcon = nullptr;
    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblDescription = nullptr;
    QLabel* lblDisclaimer = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdSysInfo = nullptr;

private:
    void cmdOK_Click();
};

} // namespace trelvane
