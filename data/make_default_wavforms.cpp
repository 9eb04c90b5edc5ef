// Writes the thirteen default recordings of the installation's WavForms folder:
// five alert melodies and eight switch announcements, 8 kHz mono 16-bit PCM, each
// well under the 65,000-byte limit of custom audio.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 8000;
constexpr double kPi = 3.14159265358979323846;

struct Note {
    double hz; // 0 is a rest
    int ms;
};

// A note with a short fade at both ends, so joins do not click.
void addNote(std::vector<std::int16_t>& out, const Note& n, double level = 0.55) {
    const int count = kRate * n.ms / 1000;
    const int fade = std::min(count / 4, kRate / 200);
    for (int i = 0; i < count; ++i) {
        double env = 1.0;
        if (i < fade)
            env = static_cast<double>(i) / fade;
        else if (i > count - fade)
            env = static_cast<double>(count - i) / fade;
        const double t = static_cast<double>(i) / kRate;
        const double s =
            n.hz > 0 ? std::sin(2 * kPi * n.hz * t) + 0.25 * std::sin(4 * kPi * n.hz * t) : 0.0;
        out.push_back(static_cast<std::int16_t>(std::lround(32767 * level * env * s / 1.25)));
    }
}

bool writeWav(const std::filesystem::path& path, const std::vector<std::int16_t>& samples) {
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::vector<std::uint8_t> b;
    auto tag = [&b](const char* t) {
        for (int i = 0; i < 4; ++i)
            b.push_back(static_cast<std::uint8_t>(t[i]));
    };
    auto u32 = [&b](std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    };
    auto u16 = [&b](std::uint16_t v) {
        b.push_back(static_cast<std::uint8_t>(v));
        b.push_back(static_cast<std::uint8_t>(v >> 8));
    };
    tag("RIFF");
    u32(36 + dataBytes);
    tag("WAVE");
    tag("fmt ");
    u32(16);
    u16(1);
    u16(1);
    u32(kRate);
    u32(kRate * 2);
    u16(2);
    u16(16);
    tag("data");
    u32(dataBytes);
    for (auto s : samples)
        u16(static_cast<std::uint16_t>(s));
    if (36 + dataBytes > 65000)
        return false;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
    return static_cast<bool>(out);
}

std::vector<std::int16_t> melody(const std::vector<Note>& notes) {
    std::vector<std::int16_t> out;
    for (const auto& n : notes)
        addNote(out, n);
    return out;
}

// A rising chime, then the switch letter in Morse code: eight clearly different
// announcements that a user recognises by ear.
std::vector<std::int16_t> switchAnnouncement(char letter) {
    static const char* kMorse[8] = {".-", "-...", "-.-.", "-..", ".", "..-.", "--.", "...."};
    std::vector<std::int16_t> out;
    addNote(out, {660, 90});
    addNote(out, {880, 90});
    addNote(out, {0, 250});
    for (const char* m = kMorse[letter - 'A']; *m; ++m) {
        addNote(out, {750, *m == '.' ? 90 : 270});
        addNote(out, {0, 90});
    }
    addNote(out, {0, 150});
    return out;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_default_wavforms WAVFORMS_FOLDER\n");
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);
    const std::vector<std::vector<Note>> alerts = {
        {{523, 150}, {659, 150}, {784, 150}, {1047, 300}, {0, 100}, {784, 150}, {1047, 400}},
        {{988, 120}, {0, 60}, {988, 120}, {0, 60}, {988, 120}, {0, 300}, {740, 500}},
        {{440, 250}, {554, 250}, {659, 250}, {554, 250}, {440, 500}},
        {{1200, 80},
         {900, 80},
         {1200, 80},
         {900, 80},
         {1200, 80},
         {900, 80},
         {0, 200},
         {1500, 400}},
        {{392, 300}, {0, 80}, {392, 150}, {523, 450}, {0, 80}, {659, 600}},
    };
    bool ok = true;
    for (std::size_t i = 0; i < alerts.size(); ++i) {
        // Built up in place: "0" + std::string trips GCC 12's -Wrestrict at -O3.
        std::string name = "0";
        name += std::to_string(i + 1) + "_custom_alert_" + std::to_string(i + 1) + ".wav";
        ok = writeWav(dir / name, melody(alerts[i])) && ok;
    }
    for (char c = 'A'; c <= 'H'; ++c) {
        std::string name = "0";
        name += std::to_string(c - 'A' + 1) + "_function_switch_" + c + ".wav";
        ok = writeWav(dir / name, switchAnnouncement(c)) && ok;
    }
    if (!ok) {
        std::fprintf(stderr, "cannot write the default recordings into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
