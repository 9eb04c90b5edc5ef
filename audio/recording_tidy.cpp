#include "audio/recording_tidy.h"

#include "audio/pcm_wav.h"
#include "base/decimal_text.h"

#include <cstdlib>
#include <cstring>
#include <functional>
#include <locale.h>
#include <memory>
#include <mutex>
#include <sox.h>

namespace quorl {

namespace {

// libsox keeps global state and is not safe to run from two threads at once.
std::mutex soxInUse;

bool soxStarted() {
    static const bool started = [] {
        sox_get_globals()->verbosity = 0; // problems are reported here, not on stderr
        return sox_init() == SOX_SUCCESS;
    }();
    return started;
}

struct Closer {
    void operator()(sox_format_t* f) const { sox_close(f); }
    void operator()(sox_effects_chain_t* c) const { sox_delete_effects_chain(c); }
};

class Chain {
public:
    Chain(sox_format_t* in, sox_format_t* out)
        : in_(in), out_(out), chain_(sox_create_effects_chain(&in->encoding, &out->encoding)),
          signal_(in->signal) {}

    // Adds the effect `name` with its arguments; false when libsox refuses it.
    bool add(const char* name, std::vector<std::string> args) {
        if (!chain_ || !ok_)
            return false;
        const sox_effect_handler_t* handler = sox_find_effect(name);
        sox_effect_t* e = handler ? sox_create_effect(handler) : nullptr;
        std::vector<char*> argv;
        for (auto& a : args)
            argv.push_back(a.data());
        if (!e ||
            sox_effect_options(e, static_cast<int>(argv.size()), argv.data()) != SOX_SUCCESS ||
            sox_add_effect(chain_.get(), e, &signal_, &out_->signal) != SOX_SUCCESS) {
            failed_ = name;
            ok_ = false;
        }
        std::free(e);
        return ok_;
    }
    bool addInput() {
        auto* in = in_;
        return addPointer("input", in);
    }
    bool addOutput() {
        auto* out = out_;
        return addPointer("output", out);
    }
    bool run() { return ok_ && sox_flow_effects(chain_.get(), nullptr, nullptr) == SOX_SUCCESS; }
    const std::string& failed() const { return failed_; }

private:
    // "input" and "output" take the format handle itself as their one argument.
    bool addPointer(const char* name, sox_format_t* format) {
        if (!chain_ || !ok_)
            return false;
        sox_effect_t* e = sox_create_effect(sox_find_effect(name));
        char* argv[] = {reinterpret_cast<char*>(format)};
        if (!e || sox_effect_options(e, 1, argv) != SOX_SUCCESS ||
            sox_add_effect(chain_.get(), e, &signal_, &out_->signal) != SOX_SUCCESS) {
            failed_ = name;
            ok_ = false;
        }
        std::free(e);
        return ok_;
    }

    sox_format_t* in_;
    sox_format_t* out_;
    std::unique_ptr<sox_effects_chain_t, Closer> chain_;
    sox_signalinfo_t signal_;
    std::string failed_;
    bool ok_ = true;
};

std::string number(double value) {
    return decimalText(value, 2);
}

bool addTidySteps(Chain& chain, const TidySettings& s) {
    bool ok = true;
    if (s.highpassHz)
        // A pager's small speaker gives nothing below some 300 Hz; what a microphone
        // picks up there (desk rumble, mains hum, breath on the capsule) only eats
        // level the compression and the speaker would rather spend on the voice.
        // Two poles keep the voice's low fundamentals (from about 100 Hz) intact.
        ok = ok && chain.add("highpass", {"-2", number(*s.highpassHz)});
    if (s.trim) {
        // Silence is judged against the recording's own peak, so a quiet recording
        // is not cut into: first bring the peak to full scale.
        ok = ok && chain.add("norm", {"-0.1"});
        // Sound starts where 10 ms stay above 1 % of full scale (-40 dB): well above
        // a room's hiss, below the softest consonant onset of normal speech. The
        // same from the end, by running the recording backwards.
        ok = ok && chain.add("silence", {"1", "0.01", "1%"});
        ok = ok && chain.add("reverse", {});
        ok = ok && chain.add("silence", {"1", "0.01", "1%"});
        ok = ok && chain.add("reverse", {});
    }
    if (s.compress)
        // Speech for a small speaker heard over fire-ground noise: attack 10 ms to
        // catch a syllable's onset, release 200 ms so the level does not pump
        // between words. Below -60 dB stays as it is (no lifting of the noise floor);
        // -40 dB comes up to -25 dB and everything above rises 2:1 toward 0 dB, so
        // soft syllables carry as far as loud ones.
        ok = ok && chain.add("compand", {"0.01,0.2", "6:-60,-60,-40,-25,0,-10", "0", "-60"});
    ok = ok && chain.add("channels", {"1"});
    // The pager plays 8 kHz: the rate effect's band limit keeps what is above
    // 4 kHz from folding back as hiss.
    ok = ok && chain.add("rate", {"-h", std::to_string(kTidyRate)});
    if (s.normalizeDbfs)
        // Last, so nothing after it moves the peak: the pager's own volume control
        // then works from a known level, and a peak below 0 dB leaves room for
        // the codec's rounding without clipping.
        ok = ok && chain.add("norm", {number(*s.normalizeDbfs)});
    return ok;
}

// libsox reads the effects' numbers ("0.01", "-1.00") with the C library under the
// thread's locale; the program runs under the desktop's (a German desktop writes
// "0,01"), so the effects are set up and run under the C locale's numbers.
class CNumbers {
public:
    CNumbers() : c_(::newlocale(LC_NUMERIC_MASK, "C", nullptr)) {
        if (c_ != nullptr)
            previous_ = ::uselocale(c_);
    }
    ~CNumbers() {
        if (c_ != nullptr) {
            ::uselocale(previous_);
            ::freelocale(c_);
        }
    }
    CNumbers(const CNumbers&) = delete;
    CNumbers& operator=(const CNumbers&) = delete;

private:
    locale_t c_;
    locale_t previous_ = nullptr;
};

using Opener = std::function<sox_format_t*()>;

TidyResult tidyFrom(const Opener& open, const TidySettings& settings) {
    TidyResult result;
    const std::lock_guard lock(soxInUse);
    const CNumbers numbers;
    if (!soxStarted()) {
        result.problem = "the sound effects library (libsox) does not start";
        return result;
    }
    std::unique_ptr<sox_format_t, Closer> in(open());
    if (!in) {
        result.problem = "not a recording the sound library can read";
        return result;
    }
    char* buffer = nullptr;
    std::size_t size = 0;
    sox_signalinfo_t signal{};
    signal.rate = kTidyRate;
    signal.channels = 1;
    signal.precision = 16;
    signal.length = SOX_UNSPEC;
    sox_encodinginfo_t encoding{};
    encoding.encoding = SOX_ENCODING_SIGN2;
    encoding.bits_per_sample = 16;
    encoding.reverse_bytes = sox_option_no;
    encoding.reverse_nibbles = sox_option_no;
    encoding.reverse_bits = sox_option_no;
    encoding.opposite_endian = sox_false;
    bool ran = false;
    std::string failed;
    {
        std::unique_ptr<sox_format_t, Closer> out(
            sox_open_memstream_write(&buffer, &size, &signal, &encoding, "raw", nullptr));
        if (!out) {
            result.problem = "the sound library cannot make its output";
            return result;
        }
        Chain chain(in.get(), out.get());
        ran = chain.addInput() && addTidySteps(chain, settings) && chain.addOutput() && chain.run();
        failed = chain.failed();
    } // closing the output settles buffer and size
    if (ran) {
        // Raw output is in the machine's own byte order.
        result.samples.resize(size / 2);
        std::memcpy(result.samples.data(), buffer, result.samples.size() * 2);
        if (result.samples.empty())
            result.problem = "nothing but silence is left";
    } else {
        result.problem = failed.empty()
                             ? "the sound effects did not run"
                             : "the sound effect \"" + failed + "\" refused its settings";
    }
    std::free(buffer);
    return result;
}

} // namespace

TidyResult tidyRecording(const std::filesystem::path& input, const TidySettings& settings) {
    return tidyFrom([&] { return sox_open_read(input.c_str(), nullptr, nullptr, nullptr); },
                    settings);
}

TidyResult tidySamples(const std::vector<std::int16_t>& samples, int rate,
                       const TidySettings& settings) {
    auto wav = pcmWavBytes(samples, rate);
    return tidyFrom(
        [&] { return sox_open_mem_read(wav.data(), wav.size(), nullptr, nullptr, "wav"); },
        settings);
}

} // namespace quorl
