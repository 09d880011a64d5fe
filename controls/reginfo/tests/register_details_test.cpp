// The register details in the panel's box, in each of its layouts.

#include "controls/common/tests/qstring_printer.h"
#include "controls/reginfo/qvsreginfo.h"

#include <QFontMetrics>
#include <QLabel>
#include <gtest/gtest.h>

TEST(RegisterDetailsTest, ShowWholeLinesAndEndInAnEllipsisWhenTheTextGoesOn) {
    const QString longText =
        "P1PLBPOLA: Polarity Sense for all 8 other PLB outputs when used as inputs to the A "
        "function of PLB1. A set bit inverts that input before the function sees it, so that "
        "the block acts on a low level; a clear bit passes the input as it is. Bit 7 is PLB9, "
        "bit 6 PLB8, bit 5 PLB7, bit 4 PLB6, bit 3 PLB5, bit 2 PLB4, bit 1 PLB3, bit 0 PLB2.";
    const struct { bool clump, graph; } layouts[] = {{false, true}, {true, true}, {true, false}};
    mirelda::QVSRegInfo panel;
    const QLabel& label = *panel.findChild<QLabel*>("RegisterDetailsLbl");
    for (const auto& layout : layouts) {
        SCOPED_TRACE(testing::Message() << layout.clump << layout.graph);
        panel.setArrangeClump(layout.clump);
        panel.setDisplayGraph(layout.graph);
        panel.setRegisterDetails("\r" + longText);
        const QStringList lines = label.text().split('\n');
        const QFontMetrics metrics(label.font());
        EXPECT_GE(label.font().pointSizeF(), 7);
        EXPECT_GE(lines.size(), 2);
        EXPECT_LE(metrics.height() + (lines.size() - 1) * metrics.lineSpacing(), label.height());
        for (const QString& line : lines) {
            EXPECT_LE(metrics.horizontalAdvance(line), label.width()) << line.toStdString();
        }
        EXPECT_TRUE(label.text().endsWith(QChar(0x2026))) << label.text().toStdString();
        EXPECT_EQ(label.toolTip(), longText);

        panel.setRegisterDetails("\rU12Configuration2");
        EXPECT_EQ(label.text(), "U12Configuration2");
    }
}

// "Register Details:" and the value caption beside it keep a gap between them.
TEST(RegisterDetailsTest, TheValueCaptionStandsClearOfItsTitle) {
    mirelda::QVSRegInfo panel;
    const QLabel& title = *panel.findChild<QLabel*>("RegisterDetailstitleLbl");
    const QLabel& caption = *panel.findChild<QLabel*>("HexDECLBL");
    const QFontMetrics metrics(title.font());
    const int titleEnd = title.x() + metrics.horizontalAdvance(title.text());
    EXPECT_GE(caption.x() + caption.contentsRect().left(),
              titleEnd + metrics.horizontalAdvance(' '));
}
