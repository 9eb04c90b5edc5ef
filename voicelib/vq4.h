/* libVQ4.so: the voice-image library of Tessaly VI Quorl.
 *
 * Turns 16-bit mono WAV voice prompts into the compressed streams the pager's
 * voice memory plays, and lays compressed prompts out into a memory image.
 * Loaded at run time by name (dlopen) and bound by name (dlsym); this header is
 * the only thing shared with its callers. All state is process-global and the
 * library is single-threaded: one project is open at a time.
 *
 * The records use the platform's natural C layout; fixed character arrays hold
 * NUL-terminated texts. Every entry point returns 0 or 1 as documented; failures
 * are quiet and show up as a size of 0 or a missing output file.
 */
#ifndef QUORL_VOICELIB_VQ4_H
#define QUORL_VOICELIB_VQ4_H

#include <stdint.h>

#if defined(__GNUC__)
#define VQ4_API __attribute__((visibility("default")))
#else
#define VQ4_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Capacity of the text buffers VQ4CompressVoice writes (streamPathOut, tagOut):
 * the size of PromptRequest.streamPath and PromptRequest.codecTag. */
#define VQ4_TEXT_SIZE 256

/* The library's version lives in an ELF note of the loaded module (owner name
 * VQ4_VERSION_NOTE_NAME, type VQ4_VERSION_NOTE_TYPE). Its descriptor is eight
 * little-endian 16-bit parts: file version (major, minor, patch, build), then
 * product version (major, minor, patch, build). */
#define VQ4_VERSION_NOTE_NAME "TessalyVQ4"
#define VQ4_VERSION_NOTE_TYPE 0x5651u
#define VQ4_VERSION_NOTE_PARTS 8

/* The project a caller opens with VQ4Init. The library copies what it needs. */
typedef struct ProjectConfig {
    char projectDir[256];           /* empty: no project folder */
    char resampleDir[260];          /* empty: <projectDir>/WavFiles */
    char binDir[260];               /* empty: <projectDir>/BinFiles */
    char memFileName[260];          /* full path of the memory image */
    uint8_t clockConfigurationByte; /* voice chip clock configuration (0x24) */
    double clockInputFrequency;     /* Hz (4096000) */
    double sourceFileSampleRate;    /* Hz, nominal rate of the sources */
    int32_t intMem;                 /* IntMem of the build configuration (64) */
} ProjectConfig;

/* One voice prompt. The caller owns the array. */
typedef struct PromptRequest {
    int32_t index;           /* 0-based prompt number */
    char sourcePath[256];    /* source WAV; empty marks an empty entry */
    char streamPath[256];    /* out: the compressed stream (.bin) */
    char codecTag[256];      /* out: codec tag of the stream, e.g. "ADPCM14-4-1" */
    int32_t compressedSize;  /* in/out: bytes of the stream */
    int32_t srType;          /* 0..6, -1 library default, -2 nearest to the file's rate */
    int32_t compressionType; /* codec type, -1 library default (12) */
    uint8_t kind;            /* VQ4CreateDownloadFile2 extras only: 0, 4, 32 or 64 */
    int32_t value;           /* VQ4CreateDownloadFile2 extras only */
} PromptRequest;

/* A piece of a voice macro for VQ4CreateDownloadFile2. Pieces with the same
 * number are joined in the order given. */
typedef struct VoiceMacroBlock {
    char name[512];      /* the macro's name is the text in the second half */
    int32_t number;      /* 1-based macro number; a signed 16-bit value */
    int32_t length;      /* bytes of command data */
    const uint8_t* data; /* command bytes: opcode, operand high, operand low */
} VoiceMacroBlock;

#ifdef __cplusplus
class CVQ4;
#else
typedef struct CVQ4 CVQ4;
#endif

/* Opens a project: copies the configuration, creates the project folders and
 * the built-in voice macros, derives the master sample rate. Returns 0. */
VQ4_API int32_t VQ4Init(const ProjectConfig* config);

/* Compresses one WAV file into one stream file in the project's BinFiles folder.
 * streamPathOut and tagOut must hold VQ4_TEXT_SIZE bytes. On return *sizeInOut
 * is the stream's size in bytes, 0 when nothing could be compressed. An empty
 * sourcePath does nothing. Returns 0. */
VQ4_API int32_t VQ4CompressVoice(const char* sourcePath, char* streamPathOut, char* tagOut,
                                 int32_t* sizeInOut, int32_t srType, int32_t compressionType);

/* Lays the compressed prompts out into the memory image and its listing.
 * Returns 1 when count is 0 (nothing written), else 0. */
VQ4_API int32_t VQ4CreateDownloadFile(int32_t count, PromptRequest* requests);

/* As VQ4CreateDownloadFile, with voice macros and reserved or message entries.
 * Returns 1. */
VQ4_API int32_t VQ4CreateDownloadFile2(int32_t count, PromptRequest* requests, int32_t extraCount,
                                       PromptRequest* extras, int32_t macroCount,
                                       VoiceMacroBlock* macros);

/* Plays a compressed stream back as the pager's decoder does, from its bytes
 * alone. When samplesOut is not null, up to capacity samples are written to it.
 * *countOut is the number of samples the whole stream decodes to (call again
 * with a larger buffer when it exceeds capacity); *sampleRateOut, when not
 * null, the stream's rate in Hz under the open project's master rate (32 kHz
 * before any VQ4Init). Returns 1, or 0 when the first byte names no codec. */
VQ4_API int32_t VQ4DecodeStream(const uint8_t* data, int32_t size, int16_t* samplesOut,
                                int32_t capacity, int32_t* countOut, int32_t* sampleRateOut);

/* Frees the voice-macro, reserved-memory and prompt lists. Returns 0. */
VQ4_API int32_t VQ4FreeAll(void);

VQ4_API CVQ4* CreateVQ4(void);
VQ4_API void DestroyVQ4(CVQ4* object);
/* Processor clock in MHz, measured over one second; 0 for a null object. */
VQ4_API int64_t GetCpuSpeedVQ4(CVQ4* object);

#ifdef __cplusplus
} /* extern "C" */

class CVQ4 {
public:
    CVQ4() = default;
    CVQ4(const CVQ4&) = default;
    VQ4_API CVQ4& operator=(const CVQ4& other);
    ~CVQ4() = default;

    /* Reads the time-stamp counter, sleeps one second, reads it again: MHz. */
    VQ4_API int64_t GetCpuSpeed();

private:
    int64_t lastSpeedMHz_ = 0;
};
#endif

#endif /* QUORL_VOICELIB_VQ4_H */
