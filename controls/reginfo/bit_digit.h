#pragma once
// One bit digit of the register panel: a label showing "0" or "1" in the
// colour that tells the bit's state, with a pointing hand, that reports a
// click while it is enabled.

#include <QLabel>

#include <cstdint>

namespace mirelda {

class BitDigit : public QLabel {
    Q_OBJECT
public:
    BitDigit(const QString& name, int bit, QWidget* parent);

    int bit() const { return bit_; }
    // 0x00BBGGRR.
    std::uint32_t ForeColor() const { return foreColor_; }
    void setForeColor(std::uint32_t colour);

signals:
    void clicked(int bit);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int bit_;
    std::uint32_t foreColor_ = 0;
};

} // namespace mirelda
