#pragma once

#include <string_view>

// The program's own texts for codeplug files, used verbatim.
namespace quorl::texts {

inline constexpr std::string_view kAppCaption = "Tessaly VI Quorl";

inline constexpr std::string_view kFileError1 =
    "File Error #1 \r\n\r\nCannot open the file; codeplug data may be missing or invalid. ";
inline constexpr std::string_view kFileError2 =
    "File Error #2 \r\n\r\nCannot open the file; invalid file format. ";
inline constexpr std::string_view kFileError3 =
    "File Error #3 \r\n\r\nCannot save the file; codeplug data may be missing or invalid. ";

inline constexpr std::string_view kSaveChangesQuestion =
    " Do you want to save the changes current codeplug ?  ";
// Before a pager read replaces an image that has no file.
inline constexpr std::string_view kOverwriteQuestion =
    " Do you want to overwrite current codeplug ?  ";

inline constexpr std::string_view kPpgExtension = "ppg";
inline constexpr std::string_view kOpenFilter = "Codeplug File(*.ppg)|*.ppg||";
inline constexpr std::string_view kSaveFilter = "Codeplug Files(*.ppg)|*.ppg||";

inline constexpr std::string_view kSingleChannel = "Single Channel";
inline constexpr std::string_view kFiveChannel = "Five Channel";

} // namespace quorl::texts
