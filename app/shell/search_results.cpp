#include "app/shell/search_results.h"

#include "app/device/chip_search.h"
#include "app/device/hex_digits.h"
#include "app/core/app_info.h"

#include <algorithm>
#include <cctype>

namespace trelvane {
namespace {

constexpr int kPrinterTagBlanks = 50;
constexpr int kSMBusTagBlanks = 98;

} // namespace

std::vector<std::string> BuildResultEntries(ChipSearch& search) {
    std::vector<std::string> entries;
    search.EntryAddresses.clear();
    int printerEntry = 0;
    for (std::size_t find = 0; find < search.FoundAddresses.size(); ++find) {
        const std::uint8_t address = search.FoundAddresses[find];
        if (address == 0)
            continue;
        ++printerEntry;
        const std::uint16_t portAddress = search.SelectFoundPort(find);
        entries.push_back("Found an " + std::string(kChipName) + " at:" + HexDigits(address / 2) +
                          "h, on printer port:" + HexDigits(portAddress) + "h" +
                          std::string(kPrinterTagBlanks, ' ') + "Printer " +
                          std::to_string(printerEntry));
        search.EntryAddresses.push_back(address);
    }
    for (const std::uint8_t address7 : search.SMBusFoundAddresses) {
        if (address7 == 0)
            continue;
        entries.push_back("An " + std::string(kChipName) + " was found at:" + HexDigits(address7) +
                          "h, on the SMBus" + std::string(kSMBusTagBlanks, ' ') + "SMBus" +
                          HexDigits(address7));
        search.EntryAddresses.push_back(address7);
    }
    return entries;
}

std::optional<int> PrinterEntryNumber(const std::string& entry) {
    static const std::string tag = "Printer ";
    const auto at = entry.rfind(tag);
    if (at == std::string::npos)
        return std::nullopt;
    const std::string digits = entry.substr(at + tag.size());
    if (digits.empty() || digits.size() > 3 ||
        !std::all_of(digits.begin(), digits.end(),
                     [](unsigned char c) { return std::isdigit(c) != 0; }))
        return std::nullopt;
    return std::stoi(digits);
}

std::optional<std::uint8_t> SMBusEntryAddress(const std::string& entry) {
    if (entry.size() < 7 || entry.compare(entry.size() - 7, 5, "SMBus") != 0)
        return std::nullopt;
    const std::string digits = entry.substr(entry.size() - 2);
    if (!std::all_of(digits.begin(), digits.end(),
                     [](unsigned char c) { return std::isxdigit(c) != 0; }))
        return std::nullopt;
    return static_cast<std::uint8_t>(std::stoi(digits, nullptr, 16));
}

} // namespace trelvane
