#pragma once

#include <string_view>

// Texts of the Custom Audio window and its checks, used verbatim.
namespace quorl::texts {

inline constexpr std::string_view kCustomAudioTitle = "Custom Audio";
inline constexpr std::string_view kAlertGroup = " Custom Alert Tones ";
inline constexpr std::string_view kSwitchGroup = " Custom Function Switch Announcements ";
inline constexpr std::string_view kBrowse = "Browse...";
inline constexpr std::string_view kUseDefaultHeader = "   Use Default";
inline constexpr std::string_view kPlayHeader = "        Play         File       Pager";
inline constexpr std::string_view kWrite = "Write";
inline constexpr std::string_view kFormatNote =
    " NOTE : Only the following .wav format is supported, 8 kHz, mono, 16-bit PCM, file size < 65 "
    "kB";
inline constexpr std::string_view kWriteNote =
    " NOTE : To write the audio files into the pager, exit this Custom Audio window, and then "
    "select \r\n 'Operation->Write Custom Audio' or click on the 'Write Custom Audio' icon on the "
    "toolbar.";
inline constexpr std::string_view kTipTitle = "How to use custom audio";
inline constexpr std::string_view kTipDontShow = "Don\u2019t show the instructions again";
inline constexpr std::string_view kWavFilter = "Wave Files (*.wav)|*.wav||";

#define QUORL_WAV_FORMAT_TAIL                                                                      \
    "File format not supported. \r\nSupported file format: Wav file type, mono, 8KHz sampling, "   \
    "16 "                                                                                          \
    "bits PCM. "
inline constexpr std::string_view kFileError4 =
    "File Error #4 \r\n\r\nFile is too big. File size is limited to 65KB. ";
inline constexpr std::string_view kFileError5 = "File Error #5 \r\n\r\n" QUORL_WAV_FORMAT_TAIL;
inline constexpr std::string_view kFileError7 = "File Error #7 \r\n\r\n" QUORL_WAV_FORMAT_TAIL;
inline constexpr std::string_view kFileError8 = "File Error #8 \r\n\r\n" QUORL_WAV_FORMAT_TAIL;
inline constexpr std::string_view kFileError9 = "File Error #9 \r\n\r\n" QUORL_WAV_FORMAT_TAIL;
#undef QUORL_WAV_FORMAT_TAIL
inline constexpr std::string_view kFileError12 =
    "File Error #12 \r\n\r\nCan not play(or select) the audio file; audio file may be deleted or "
    "moved. ";
inline constexpr std::string_view kFileError13Head =
    "File Error #13 \r\n\r\nCan not find the audio file of ";
inline constexpr std::string_view kFileError13Tail =
    "; the file is moved or deleted or changed to invalid file while the Custom Audio window is "
    "opened. ";
// The User Data window's own wording when it settles the Custom Audio window.
inline constexpr std::string_view kUserDataFileError13Head =
    "File Error #13 \r\n\r\nCannot find the wave file of ";
inline constexpr std::string_view kUserDataFileError13Tail =
    "; move the file another folder or delete it while the custom audio window is open. ";
inline constexpr std::string_view kUserDataFileError15Head =
    "File Error #15 \r\n\r\nDefault wave file of ";
inline constexpr std::string_view kUserDataFileError15Tail =
    " does not exist; move the file another folder or delete it while the custom audio window is "
    "open. ";
inline constexpr std::string_view kSaveConditionQuestion =
    " Do you want to save the changes current condition ?  ";
inline constexpr std::string_view kDwkFileError1 =
    "File Error #1 \r\n\r\nCan not open the file; dwk file may be missing or invalid. ";
inline constexpr std::string_view kNoAudioOutput =
    "No sound output device is available; the file cannot be played on this computer.";
inline constexpr std::string_view kNoAudioInput =
    "No audio input was found. Connect a microphone or check the system's sound settings.";

} // namespace quorl::texts
