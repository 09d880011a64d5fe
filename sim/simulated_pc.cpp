#include "sim/simulated_pc.h"

#include "sim/io_space.h"
#include "sim/sim_config_parser.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace vsq::sim {

SimulatedPc& SimulatedPc::instance() {
    static SimulatedPc pc;
    return pc;
}

SimulatedPc::SimulatedPc() {
    configureFromEnvironment();
}

SimulatedPc::~SimulatedPc() = default;

void SimulatedPc::configure(const SimConfig& config) {
    io_.reset();
    journal_.clear();
    config_ = config;
    io_ = std::make_unique<IoSpace>(config_, journal_, capture_);
    ++configurations_;
}

void SimulatedPc::reset() {
    configure(SimConfig{});
}

void SimulatedPc::configureFromEnvironment() {
    const char* text = std::getenv("VSQ_SIM");
    std::vector<std::string> problems;
    SimConfig config = parseSimConfig(text ? text : "", problems);
    for (const auto& problem : problems)
        std::fprintf(stderr, "%s\n", problem.c_str());
    configure(config);
    const char* capture = std::getenv("VSQ_SIM_CAPTURE");
    if (!setCaptureFile(capture ? capture : ""))
        std::fprintf(stderr, "VSQ_SIM_CAPTURE: cannot write \"%s\"\n", capture);
}

std::uint8_t SimulatedPc::in8(std::uint16_t port) {
    return io_->in8(port);
}
void SimulatedPc::out8(std::uint16_t port, std::uint8_t value) {
    io_->out8(port, value);
}
std::uint32_t SimulatedPc::in32(std::uint16_t port) {
    return io_->in32(port);
}
void SimulatedPc::out32(std::uint16_t port, std::uint32_t value) {
    io_->out32(port, value);
}

int SimulatedPc::parallelPortCount() const {
    return io_->portCount();
}

std::optional<std::uint32_t> SimulatedPc::parallelPortBase(int portNumber) const {
    if (ParallelPort* port = io_->port(portNumber))
        return port->base();
    return std::nullopt;
}

bool SimulatedPc::claimParallelPort(int portNumber) {
    ParallelPort* port = io_->port(portNumber);
    return port != nullptr && port->claim();
}

void SimulatedPc::releaseParallelPort(int portNumber) {
    if (ParallelPort* port = io_->port(portNumber))
        port->release();
}

ParallelPort& SimulatedPc::requirePort(int portNumber, const char* what) const {
    ParallelPort* port = io_->port(portNumber);
    if (port == nullptr)
        throw std::out_of_range(std::string(what) + ": no parallel port " +
                                std::to_string(portNumber));
    return *port;
}

EvaluationBoard* SimulatedPc::board(int bus) {
    if (bus == kChipsetBus)
        return io_->chipsetSmbus().board();
    ParallelPort* port = io_->port(bus);
    return port ? port->board() : nullptr;
}

Vsq5540& SimulatedPc::chip(int bus) {
    EvaluationBoard* found = board(bus);
    if (found == nullptr)
        throw std::out_of_range("no evaluation board on bus " + std::to_string(bus));
    return found->chip();
}

ParallelPort* SimulatedPc::parallelPort(int portNumber) {
    return io_->port(portNumber);
}

PciConfiguration& SimulatedPc::pci() {
    return io_->pci();
}

bool SimulatedPc::scl(int portNumber) const {
    SmbusLines* lines = requirePort(portNumber, "scl").lines();
    return lines == nullptr || lines->scl();
}

bool SimulatedPc::sda(int portNumber) const {
    SmbusLines* lines = requirePort(portNumber, "sda").lines();
    return lines == nullptr || lines->sda();
}

void SimulatedPc::setAdcInputVoltage(int bus, std::uint8_t adcAddress, int input, double volts) {
    EvaluationBoard* found = board(bus);
    Qa2296Adc* adc = found ? found->adcAt(adcAddress) : nullptr;
    if (adc == nullptr)
        throw std::out_of_range("no ADC at that address on bus " + std::to_string(bus));
    adc->setInputVoltage(input, volts);
}

void SimulatedPc::setDevicePresent(int bus, std::uint8_t address, bool present) {
    EvaluationBoard* found = board(bus);
    SmbusDevice* device = found ? found->anyDeviceAt(address) : nullptr;
    if (device == nullptr)
        throw std::out_of_range("no device at that address on bus " + std::to_string(bus));
    device->setPresent(present);
}

void SimulatedPc::holdSclLow(int bus, bool low) {
    if (bus == kChipsetBus) {
        io_->chipsetSmbus().faults().holdSclLow = low;
    } else if (SmbusLines* lines = requirePort(bus, "holdSclLow").lines()) {
        lines->holdSclLow(low);
    }
}

void SimulatedPc::holdSdaLow(int bus, bool low) {
    if (bus == kChipsetBus) {
        io_->chipsetSmbus().faults().holdSdaLow = low;
    } else if (SmbusLines* lines = requirePort(bus, "holdSdaLow").lines()) {
        lines->holdSdaLow(low);
    }
}

void SimulatedPc::setClockStretch(int bus, int accesses) {
    if (bus == kChipsetBus)
        return; // the host controller waits for a stretching slave by itself
    if (SmbusLines* lines = requirePort(bus, "setClockStretch").lines())
        lines->setClockStretch(accesses);
}

void SimulatedPc::startSecondMaster(int bus, int length) {
    if (bus == kChipsetBus)
        io_->chipsetSmbus().startSecondMaster(length);
    else if (SmbusLines* lines = requirePort(bus, "startSecondMaster").lines())
        lines->startSecondMaster(length);
}

void SimulatedPc::failChipsetTransfers(ChipsetOutcome outcome, int transfers) {
    io_->chipsetSmbus().failTransfers(outcome, transfers);
}

void SimulatedPc::setClaimRefused(int portNumber, bool refused) {
    requirePort(portNumber, "setClaimRefused").setClaimRefused(refused);
}

bool SimulatedPc::setCaptureFile(const std::string& path) {
    return capture_.open(path);
}

} // namespace vsq::sim
