#include "app/core/tagged_item_delegate.h"
#include "app/shell/search_results.h"

#include <gtest/gtest.h>

namespace trelvane {
namespace {

TEST(ChipSearchTags, FinishReadsTheWholeFindNumberAndTheSMBusAddress) {
    const std::string blanks(50, ' ');
    EXPECT_EQ(
        PrinterEntryNumber("Found an VSQ5540 at:54h, on printer port:378h" + blanks + "Printer 1"),
        1);
    EXPECT_EQ(PrinterEntryNumber("x" + blanks + "Printer 10"), 10);
    EXPECT_EQ(PrinterEntryNumber("x" + blanks + "Printer 123"), 123);
    EXPECT_EQ(PrinterEntryNumber(""), std::nullopt);
    EXPECT_EQ(PrinterEntryNumber("x" + blanks + "Printer "), std::nullopt);
    EXPECT_EQ(PrinterEntryNumber("x" + blanks + "Printer 1a"), std::nullopt);
    EXPECT_EQ(PrinterEntryNumber("An VSQ5540 was found at:54h, on the SMBus" + blanks + "SMBus54"),
              std::nullopt);

    EXPECT_EQ(SMBusEntryAddress("x" + blanks + "SMBus54"), 0x54);
    EXPECT_EQ(SMBusEntryAddress("x" + blanks + "SMBus2F"), 0x2F);
    EXPECT_EQ(SMBusEntryAddress("x" + blanks + "Printer 1"), std::nullopt);
    EXPECT_EQ(SMBusEntryAddress("SMBus"), std::nullopt);

    // The list shows the entry without its tag.
    EXPECT_EQ(TaggedItemDelegate::visiblePart(QString::fromStdString(
                  "Found an VSQ5540 at:54h, on printer port:378h" + blanks + "Printer 1")),
              "Found an VSQ5540 at:54h, on printer port:378h");
}

} // namespace
} // namespace trelvane
