#pragma once

#include <string_view>

// The pager link's own texts, used verbatim. Trailing blanks and line breaks are part
// of the texts as the program has always shown them.
namespace quorl::link_texts {

inline constexpr std::string_view kCaption = "Tessaly VI Quorl";

// Serial channel.
inline constexpr std::string_view kUnableToConnect = "Unable to connect to device. ";
inline constexpr std::string_view kWatcherCreateError = "Error while creating ThreadWatchComm, ";
inline constexpr std::string_view kBuffFull = "buff full";

// Cradle choice.
inline constexpr std::string_view kCommError1 =
    "Communication Error #1 \r\n\r\nUSB device not connected! \r\nPlease connect the pager "
    "programming cradle to your PC and try again.";

// Audition exchange (and the operations that share these texts).
inline constexpr std::string_view kReadError5 =
    "Read Error #5 \r\n\r\nUnable to read the pager; connection timed out.  Please try again. ";
inline constexpr std::string_view kReadError7 =
    "Read Error #7 \r\n\r\nUnable to communicate with the pager. \r\nPlease make sure that pager "
    "is properly seated in programming cradle. \r\nIf the pager is seated properly, recheck the "
    "programming cradle connection and power cycle the pager. ";

// Device enumeration problems; reported, never fatal.
inline constexpr std::string_view kEnumTtyClassFailed = "Cannot list serial devices in ";
inline constexpr std::string_view kSimRegistryRefused =
    "Simulated cradles not listed; their registry is not safe: ";

// Dialogs.
inline constexpr std::string_view kDevicesTitle = "Connected Devices";
inline constexpr std::string_view kDevicesListLabel = "COM Port";
inline constexpr std::string_view kSerialConfigTitle = "System Configuration";
inline constexpr std::string_view kSerialConfigGroup = "Serial Communication Setting";
inline constexpr std::string_view kSerialConfigPortLabel = "Serial Port";
inline constexpr std::string_view kSerialConfigBaud = "Baud Rate :  57,600 bps";
inline constexpr std::string_view kProgressTitle = "Progress Indicator";
inline constexpr std::string_view kOk = "OK";
inline constexpr std::string_view kCancel = "Cancel";

// The names a CP210x bridge goes by, each compared exactly (trailing blank included).
inline constexpr std::string_view kCradleNames[] = {
    "CP210x USB to UART Bridge Controller ",
    "CP210x USB to UART Bridge Controller",
    "Silicon Labs CP210x USB to UART Bridge ",
    "Silicon Labs CP210x USB to UART Bridge",
};
// How a cradle's friendly name reads on Linux: the bridge's name, then the port name.
inline constexpr std::string_view kLinuxCradleName = "Silicon Labs CP210x USB to UART Bridge";

} // namespace quorl::link_texts
