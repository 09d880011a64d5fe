#pragma once
// One page of the logic-block window: block n drawn as a diagram. Each of the
// 22 inputs (VP1 ... VH, GPI1 ... GPI4, WDIP, WDIL, PLB1 ... PLB9) is a row
// with its name at both edges, function A's EN and POL toggles on the left,
// function B's POL and EN toggles on the right; between them the two
// functions, their enables F1EN and F2EN, the block's label "PDB n" and its
// output switch PLBOutEN. The row of the block's own output has no toggles
// to show. The page holds element n of every toggle array.

#include <QFont>
#include <QFrame>

#include <functional>
#include <string>

namespace vsq::display {
class Toggle;
}

namespace trelvane {

// The heavy face of the window's headings ("Arial Black").
QFont headingFont(int pointSize);

class PLBPage : public QFrame {
public:
    // `adopt` is told every toggle the page creates, by its array's name.
    using Adopt = std::function<void(const std::string& array, vsq::display::Toggle* toggle)>;

    PLBPage(int block, const Adopt& adopt, QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    vsq::display::Toggle* newToggle(const std::string& array, int face, int x, int y,
                                    const Adopt& adopt);

    int block_;
};

} // namespace trelvane
