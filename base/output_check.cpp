#include "base/output_check.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <streambuf>

namespace quorl {

namespace {

int firstOutputError = 0;

// Standard output's stream as the program writes it: straight through C's stdout,
// so that it keeps its order beside printf and stdout's own buffering, keeping the
// cause of the first write that failed. A write that fails in the middle of a long
// output (or at an endl) would otherwise have its cause overwritten long before
// the program looks.
class CauseKeepingBuffer : public std::streambuf {
protected:
    std::streamsize xsputn(const char* text, std::streamsize count) override {
        errno = 0;
        const std::size_t written = std::fwrite(text, 1, static_cast<std::size_t>(count), stdout);
        if (written < static_cast<std::size_t>(count))
            noteFailure();
        return static_cast<std::streamsize>(written);
    }
    int_type overflow(int_type c) override {
        if (traits_type::eq_int_type(c, traits_type::eof()))
            return traits_type::not_eof(c);
        const char one = traits_type::to_char_type(c);
        return xsputn(&one, 1) == 1 ? c : traits_type::eof();
    }
    int sync() override {
        errno = 0;
        if (std::fflush(stdout) == 0)
            return 0;
        noteFailure();
        return -1;
    }

private:
    static void noteFailure() {
        if (firstOutputError == 0)
            firstOutputError = errno;
    }
};

} // namespace

void keepOutputErrors() {
    // Never destroyed: the standard streams flush once more as the program ends,
    // after function-local objects are gone.
    static auto* const buffer = new CauseKeepingBuffer;
    std::cout.rdbuf(buffer);
}

int exitCodeAfterOutput(int exitCode, const char* program) {
    errno = 0;
    std::cout.flush();
    const bool streamFailed = !std::cout;
    const bool flushFailed = std::fflush(stdout) != 0;
    const int error = firstOutputError != 0 ? firstOutputError : errno;
    if (!streamFailed && !flushFailed && !std::ferror(stdout))
        return exitCode;
    std::fprintf(stderr, "%s: cannot write the output: %s\n", program,
                 error ? std::strerror(error) : "write error");
    return exitCode == 0 ? 1 : exitCode;
}

} // namespace quorl
