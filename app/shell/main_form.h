#pragma once
// TMainForm, the program's main window: a multiple-document frame whose menu
// commands open the tool windows and dialogs, with a one-line status bar.
// Closing it or choosing Exit ends the program at once, saving nothing.

#include <QMainWindow>

class QAction;
class QLabel;
class QMdiArea;
class QMenu;

namespace trelvane {

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    TMainForm();

    // Load handler: reads the two registry options.
    void onLoad();
    // Any close request ends the program; the window is never asked to stay.
    bool onQueryUnload();

    QMdiArea* mdiArea() const { return mdiArea_; }
    // Shows one line of text in the status bar.
    void setStatusText(const QString& text);
    QString statusText() const;

    // The menu-bar entries and items, named as the program's code knows them.
    QMenu* FileMnu = nullptr;
    QAction* SaveSettingsmnu = nullptr;
    QAction* RecallSettingsmnu = nullptr;
    QAction* mnuExit = nullptr;
    QMenu* AutoSetMnu = nullptr;
    QAction* GenericSetupMnu = nullptr;
    QAction* RegAccessMenu = nullptr;
    QMenu* VisToolsMenu = nullptr;
    QAction* PFIMnu = nullptr;
    QAction* GPIOMnu = nullptr;
    QAction* WatchdogMnu = nullptr;
    QAction* PLBMnu = nullptr;
    QAction* PDMnu = nullptr;
    QAction* PDOMnu = nullptr;
    QAction* EEPROMMnu = nullptr;
    QAction* EBCMnu = nullptr;
    QMenu* mnuOptions = nullptr;
    QAction* mnuEmulateBugFix = nullptr;
    QMenu* HelpMnu = nullptr;
    QAction* AboutMnu = nullptr;

private:
    void buildMenus();
    void buildVisualToolsMenu();
    void showOnlyMenusInUse();
    void mnuExit_Click();
    void GenericSetupMnu_Click();
    void EEPROMMnu_Click();
    void mnuEmulateBugFix_Click();
    void AboutMnu_Click();

    QMdiArea* mdiArea_ = nullptr;
    QLabel* statusLabel_ = nullptr;
};

} // namespace trelvane
