#pragma once
// frmSplash: the start-up window that names the program and reports each
// start-up step with a status line and a progress bar.

#include <QWidget>

class QLabel;
class QProgressBar;

namespace trelvane {

class frmSplash : public QWidget {
    Q_OBJECT
public:
    frmSplash();

    // Load handler: fills the product name and the version.
    void onLoad();
    // Paints the window now, without running the event loop for anything else.
    void repaintNow();

    QLabel* lblProductName = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblPlatform = nullptr;
    QLabel* StatusLBL = nullptr;
    QProgressBar* StatusProgress = nullptr;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// Raises the splash progress by 10 and shows "Status:  " and `text`, painted at once.
void ShowSplashStatus(const QString& text);

} // namespace trelvane
