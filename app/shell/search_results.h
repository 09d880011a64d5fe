#pragma once
// The set-up wizard's result entries: one text per find of the chip search,
// printer-port finds first. Each entry ends in a tag that Finish parses
// ("Printer 1", "SMBus54"), pushed out of view by blanks.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace trelvane {

class ChipSearch;

// The entries in list order; fills the search's EntryAddresses. Selects each
// printer find's port to name its address.
std::vector<std::string> BuildResultEntries(ChipSearch& search);

// The find number of a printer-port entry (the whole number after its
// "Printer " tag), if the entry is one.
std::optional<int> PrinterEntryNumber(const std::string& entry);
// The 7-bit address of a chipset-SMBus entry (two hexadecimal digits after
// its "SMBus" tag), if the entry is one.
std::optional<std::uint8_t> SMBusEntryAddress(const std::string& entry);

} // namespace trelvane
