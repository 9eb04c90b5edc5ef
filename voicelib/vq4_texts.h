#pragma once

// The library's own texts, used verbatim: hook titles and messages, console
// lines, status texts.
namespace quorl::vq4::texts {

inline constexpr const char* kErrorTitle = "Error!";

// Project and macros
inline constexpr const char* kMasterRateTitle = "Master Sample Rate Warning!";
inline constexpr const char* kMasterRateText =
    "Master sample rate larger than 48KHz degrades the audio quality!";
inline constexpr const char* kVmCommandErrorTitle = "VM Command Error!";
inline constexpr const char* kVmCfg0Invalid =
    "The register value of Set CFG0 command of %s VG is invalid";
inline constexpr const char* kInvalidVmTitle = " Invalid VM";
inline constexpr const char* kPuEndsWithPd =
    "Voice Macro #1(PU) can not end with a Power Down.\n Please correct it in the Voice Macro "
    "edit panel. ";
inline constexpr const char* kVmWarningTitle = "VM Command Warning";
inline constexpr const char* kVmNoFinish =
    "Voice Macro #%d  does not end with a FINISH or a PD.\n Without a FINISH or PD, system will "
    "continue to execute next VM. \n\nAre you sure you want to continue?";

// WAV input and resampling
inline constexpr const char* kUnableToOpenWav =
    "Unable to open WavFile %s Please select valid file";
inline constexpr const char* kUnableToCopyWav = "Unable to copy WavFile";
inline constexpr const char* kChannelsOutOfSync = "Fatal error: channels out of sync!\n";
inline constexpr const char* kNotAWave = "Not a wave File";
inline constexpr const char* kWavOperationError = "Wav file operation error.";
inline constexpr const char* kOnlyMono = "Can only accept mono files";
inline constexpr const char* kOnly16Bit = "Can only accept 16 bit samples";
inline constexpr const char* kNoDataSection = "Did not find valid data section after format";

// Compression
inline constexpr const char* kUnknownCompressionType = "Unknown Compression Type";
inline constexpr const char* kCompressActive = "Compress Active";
inline constexpr const char* kCompressIdle = "Compress Idle";
inline constexpr const char* kCompressingProgress = "Compressing %s: ...%d%%";
inline constexpr const char* kIncompleteAdpcmByte = "Unexpected incomplete byte for SADPCM\n";
inline constexpr const char* kIncompletePcmByte = "ERROR unexpected incomplete byte for PCM\n";
inline constexpr const char* kIncompleteByte = "ERROR unexpected incomplete byte\n";

// Image builder
inline constexpr const char* kNoBinExists = "No .bin exists. Can't make .mem to download";
inline constexpr const char* kBusyTitle = "Busy";
inline constexpr const char* kWaitForCompression =
    "Please wait for file compression to be finished";
inline constexpr const char* kAddressErrorPrompt =
    "Address Error: BeginAddress 0x%06x FilePos 0x%06x\n";
inline constexpr const char* kAddressErrorMacro =
    "Address Error: %s BeginAddress 0x%06x FilePos 0x%06x\n";
inline constexpr const char* kSaveProjectTitle = "Query to save project";
inline constexpr const char* kSaveProjectText =
    " Do you want to keep Programming File consistent with the project file? \n Click yes to save "
    "project, click no to create Programming File only.";
inline constexpr const char* kNoFileTitle = "No File Specified!";
inline constexpr const char* kNoFileText = "Invalid project specified, use Save As";
inline constexpr const char* kImageTooLarge =
    "Image of %llu bytes exceeds the 24-bit address space; not written\n";
inline constexpr const char* kReservedDataTitle = "Reserved Data Memory Warning!";
inline constexpr const char* kReservedDataText = "The bit 5 of first byte Data must be 0";

} // namespace quorl::vq4::texts
