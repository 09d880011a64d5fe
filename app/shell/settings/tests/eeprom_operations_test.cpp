#include "app/device/tests/simulated_board.h"
using namespace trelvane; using namespace trelvane::testing;
TEST_F(SimulatedBoard, Probe) {
  ReadRegister(0x0D); std::cout << traffic() << "\n"; journal().clear();
  ReadEEPROMByte(0xF800); std::cout << traffic() << "\n"; journal().clear();
  ReadDeviceWord(0x18, 0x21); std::cout << traffic() << "\n"; journal().clear();
  ReceiveDeviceByte(0x90); std::cout << traffic() << "\n"; journal().clear();
  WriteEEPROMByte(0xF800, 1); std::cout << traffic() << "\n"; journal().clear();
}
