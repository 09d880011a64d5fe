#pragma once
// The dispatch numbers of the register panel's members, in slot order: what
// hosts bind QVSRegInfo's members by (dispatchGet, dispatchPut, dispatchCall).
//
//     panel.dispatchPut(QVSRegInfoId::AddressPointer, 0x94);
//     panel.dispatchPut(QVSRegInfoId::bitText(3), QStringLiteral("N/A"));

#include "controls/common/member_table.h"

namespace mirelda::QVSRegInfoId {

using vsq::controls::DispatchId;

inline constexpr DispatchId RegisterDetails = 0x68030025;
inline constexpr DispatchId AutoReadTimerInterval = 0x68030024;
inline constexpr DispatchId HexTxtBoxToolTipText = 0x68030023;
inline constexpr DispatchId DecTxtBoxToolTipText = 0x68030022;
inline constexpr DispatchId AutoReadToolTipText = 0x68030021;
inline constexpr DispatchId UpdateDecHexToolTipText = 0x68030020;
inline constexpr DispatchId ValueHEX = 0x6803001F;
inline constexpr DispatchId ValueDEC = 0x6803001E;
inline constexpr DispatchId ValueBIN = 0x6803001D;
inline constexpr DispatchId AutoRead = 0x6803001C;
inline constexpr DispatchId RWValue = 0x6803001B;
inline constexpr DispatchId AddressPointer = 0x6803001A;
inline constexpr DispatchId ExecuteRead = 0x68030019;
inline constexpr DispatchId Flag = 0x68030018;
inline constexpr DispatchId Master = 0x68030017;
inline constexpr DispatchId ListQVSMControls = 0x6003004E; // a method
inline constexpr DispatchId ReadOnlyBitMask = 0x68030016;
inline constexpr DispatchId ArrangeClump = 0x68030015;
inline constexpr DispatchId DisplayGraph = 0x68030014;
inline constexpr DispatchId GraphLogic = 0x68030013;
inline constexpr DispatchId BinDigitstoolTipText = 0x68030012;
// Bit0Text to Bit15Text count down from Bit0Text.
inline constexpr DispatchId Bit0Text = 0x68030011;
inline constexpr DispatchId bitText(int bit) {
    return Bit0Text - bit;
}
inline constexpr DispatchId CommunicationsType = 0x68030001;
inline constexpr DispatchId DeviceAddress = 0x68030000;

} // namespace mirelda::QVSRegInfoId
