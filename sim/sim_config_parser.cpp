#include "sim/sim_config_parser.h"

#include <algorithm>

#include <cctype>
#include <charconv>
#include <optional>
#include <string_view>

namespace vsq::sim {
namespace {

std::string_view trim(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    for (;;) {
        auto at = text.find(separator);
        parts.push_back(trim(text.substr(0, at)));
        if (at == std::string_view::npos)
            return parts;
        text.remove_prefix(at + 1);
    }
}

std::optional<std::uint32_t> number(std::string_view text, std::uint32_t maximum) {
    int radix = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        radix = 16;
        text.remove_prefix(2);
    }
    std::uint32_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, radix);
    if (error != std::errc{} || end != text.data() + text.size() || text.empty() || value > maximum)
        return std::nullopt;
    return value;
}

std::optional<AdapterPolarity> polarity(std::string_view text) {
    if (text == "inverting")
        return AdapterPolarity::Inverting;
    if (text == "noninverting")
        return AdapterPolarity::NonInverting;
    return std::nullopt;
}

std::optional<SouthBridge> southBridge(std::string_view text) {
    if (text == "piix4")
        return SouthBridge::Piix4;
    if (text == "ich")
        return SouthBridge::Ich;
    if (text == "ali")
        return SouthBridge::Ali;
    if (text == "none")
        return SouthBridge::None;
    return std::nullopt;
}

// What one port item says; unset fields take the global chip= and adapter=.
struct PortItem {
    PortConfig config;
    bool chipGiven = false;
    bool polarityGiven = false;
};

class Parser {
public:
    explicit Parser(std::vector<std::string>& problems) : problems_(problems) {}

    SimConfig parse(std::string_view text) {
        for (auto item : split(text, ';'))
            if (!item.empty())
                parseItem(item);
        SimConfig config = config_;
        if (portsGiven_) {
            config.ports.clear();
            for (auto& port : ports_) {
                if (!port.chipGiven)
                    port.config.chipAddress = chip_;
                if (!port.polarityGiven)
                    port.config.polarity = polarity_;
                config.ports.push_back(port.config);
            }
        } else {
            for (auto& port : config.ports) {
                port.chipAddress = chip_;
                port.polarity = polarity_;
            }
        }
        return config;
    }

private:
    void problem(std::string_view item, std::string_view why) {
        problems_.push_back("VSQ_SIM: \"" + std::string(item) + "\": " + std::string(why));
    }

    void parseItem(std::string_view item) {
        auto equals = item.find('=');
        if (equals == std::string_view::npos) {
            problem(item, "expected name=value");
            return;
        }
        const auto name = trim(item.substr(0, equals));
        const auto value = trim(item.substr(equals + 1));
        if (name == "ports")
            parsePorts(item, value);
        else if (name == "chip")
            setByte(item, value, chip_);
        else if (name == "adapter")
            setPolarity(item, value);
        else if (name == "pci")
            setSouthBridge(item, value);
        else if (name == "smbus-base")
            setNumber(item, value, 0xFFFF, config_.smbusBase);
        else if (name == "smbus-id")
            setNumber(item, value, 0xFFFFFFFF, config_.smbusIdentifier);
        else if (name == "smbus-board")
            setBoard(item, value, config_.smbusBoard);
        else if (name == "smbus-chip")
            setByte(item, value, config_.smbusChipAddress);
        else if (name == "busy-reads")
            setNumber(item, value, 1000, config_.hostBusyReads);
        else
            problem(item, "unknown name");
    }

    template <typename T>
    void setNumber(std::string_view item, std::string_view text, std::uint32_t maximum, T& into) {
        if (auto n = number(text, maximum))
            into = static_cast<T>(*n);
        else
            problem(item, "not a number in range");
    }
    void setByte(std::string_view item, std::string_view text, std::uint8_t& into) {
        setNumber(item, text, 0xFF, into);
        into &= 0xFE;
    }
    void setPolarity(std::string_view item, std::string_view text) {
        if (auto p = polarity(text))
            polarity_ = *p;
        else
            problem(item, "expected inverting or noninverting");
    }
    void setSouthBridge(std::string_view item, std::string_view text) {
        if (auto s = southBridge(text))
            config_.southBridge = *s;
        else
            problem(item, "expected piix4, ich, ali or none");
    }
    void setBoard(std::string_view item, std::string_view text, bool& into) {
        if (text == "board" || text == "empty")
            into = text == "board";
        else
            problem(item, "expected board or empty");
    }

    void parsePorts(std::string_view item, std::string_view value) {
        portsGiven_ = true;
        ports_.clear();
        if (value == "none")
            return;
        for (auto entry : split(value, ',')) {
            auto fields = split(entry, ':');
            PortItem port;
            auto base = number(fields[0], 0xFFFF);
            if (!base) {
                problem(item, "bad port base \"" + std::string(fields[0]) + "\"");
                continue;
            }
            // A port answers at its base and the two addresses above it: data,
            // status, control.
            constexpr unsigned kPortRegisters = 3;
            if (*base + kPortRegisters - 1 > 0xFFFF) {
                problem(item, "port \"" + std::string(fields[0]) + "\" runs past the I/O space");
                continue;
            }
            port.config.base = static_cast<std::uint16_t>(*base);
            const auto given = [&](const PortItem& p) { return p.config.base == port.config.base; };
            const auto overlaps = [&](const PortItem& p) {
                const unsigned distance = p.config.base > port.config.base
                                              ? p.config.base - port.config.base
                                              : port.config.base - p.config.base;
                return distance < kPortRegisters;
            };
            if (std::any_of(ports_.begin(), ports_.end(), given)) {
                problem(item, "port \"" + std::string(fields[0]) + "\" given twice");
                continue;
            }
            if (std::any_of(ports_.begin(), ports_.end(), overlaps)) {
                problem(item, "port \"" + std::string(fields[0]) + "\" overlaps another port");
                continue;
            }
            for (std::size_t i = 1; i < fields.size(); ++i)
                parsePortOption(item, fields[i], port);
            ports_.push_back(port);
        }
    }

    void parsePortOption(std::string_view item, std::string_view option, PortItem& port) {
        if (option == "empty" || option == "board") {
            port.config.board = option == "board";
        } else if (auto p = polarity(option)) {
            port.config.polarity = *p;
            port.polarityGiven = true;
        } else if (option.substr(0, 5) == "chip=") {
            if (auto n = number(option.substr(5), 0xFF)) {
                port.config.chipAddress = static_cast<std::uint8_t>(*n & 0xFE);
                port.chipGiven = true;
            } else {
                problem(item, "bad chip address in \"" + std::string(option) + "\"");
            }
        } else {
            problem(item, "unknown port option \"" + std::string(option) + "\"");
        }
    }

    std::vector<std::string>& problems_;
    SimConfig config_;
    bool portsGiven_ = false;
    std::vector<PortItem> ports_;
    std::uint8_t chip_ = 0xA8;
    AdapterPolarity polarity_ = AdapterPolarity::Inverting;
};

} // namespace

SimConfig parseSimConfig(const std::string& text, std::vector<std::string>& problems) {
    return Parser(problems).parse(text);
}

} // namespace vsq::sim
