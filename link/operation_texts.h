#pragma once

#include <string_view>

// Texts of the Read Codeplug and Write Codeplug operations, used verbatim. Communication
// Error #1 and Read Error #5 live with the port choice and the audition (link_texts.h).
namespace quorl::op_texts {

inline constexpr std::string_view kCommError2 =
    "Communication Error #2 \r\n\r\nUnable to communicate with the pager. \r\nPlease make sure "
    "that pager is properly seated in programming cradle. \r\nIf the pager is seated properly, "
    "recheck the programming cradle connection and power cycle the pager. ";

inline constexpr std::string_view kReadError1 =
    "Read Error #1 \r\n\r\nUnable to read the pager. Please try again. ";
inline constexpr std::string_view kReadError2 =
    "Read Error #2 \r\n\r\nUnable to read the pager. Please try again. ";
inline constexpr std::string_view kReadError3 =
    "Read Error #3 \r\n\r\nUnable to read the pager. Please try again. ";
inline constexpr std::string_view kReadError4 =
    "Read Error #4 \r\n\r\nUnable to read the pager. Please try again. ";
inline constexpr std::string_view kReadError6 =
    "Read Error #6 \r\n\r\nUnable to read the pager; codeplug file may be corrupted. \r\nPlease "
    "try to program the default codeplug file. ";
inline constexpr std::string_view kReadError9 =
    "Read Error #9 \r\n\r\nUnable to read the pager; missing serial number. Please program the "
    "serial number with the Serial Number Tool. ";
inline constexpr std::string_view kFileError2 =
    "File Error #2 \r\n\r\nCannot open the file; invalid file format. ";

inline constexpr std::string_view kWriteError1 =
    "Write Error #1 \r\n\r\nUnable to write the pager. Please try again. ";
inline constexpr std::string_view kWriteError2 =
    "Write Error #2 \r\n\r\nUnable to write the pager. Please try again. ";
inline constexpr std::string_view kWriteError3 =
    "Write Error #3 \r\n\r\nUnable to write the pager. Please try again. ";
inline constexpr std::string_view kWriteError4 =
    "Write Error #4 \r\n\r\nUnable to write the pager. Please try again. ";
inline constexpr std::string_view kWriteError5 =
    "Write Error #5 \r\n\r\nUnable to write the pager; connection timed out. Please try again. ";
inline constexpr std::string_view kWriteError7 =
    "Write Error #7 \r\n\r\nUnable to write the pager. Source and destination model number do "
    "not match. ";
inline constexpr std::string_view kWriteError11Serial =
    "Write Error #11 \r\n\r\nUnable to write the pager; missing serial number. Please program "
    "the serial number with the Serial Number Tool. ";
inline constexpr std::string_view kWriteError11Version =
    "Write Error #11 \r\n\r\nCodeplug version not supported. Please refer to the the readme file "
    "of the appliction for supported codeplug version. ";

inline constexpr std::string_view kReadingStart = "Reading 0%";
inline constexpr std::string_view kWritingStart = "Writeing 0%";

} // namespace quorl::op_texts
