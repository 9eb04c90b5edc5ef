#include "audio/switch_announcements.h"

#include <array>

namespace quorl {

namespace {

// Spoken, not printed: "F3" is said as a channel, and the phrases are short so
// each fits a slot with room to spare.
constexpr std::array<std::string_view, 14> kEnglish{"Selective call, channel 1",
                                                    "Selective call, channel 2",
                                                    "Selective call, channel 3",
                                                    "Selective call, channel 4",
                                                    "Selective call, channel 5",
                                                    "Monitor channel 1",
                                                    "Monitor channel 2",
                                                    "Monitor channel 3",
                                                    "Monitor channel 4",
                                                    "Monitor channel 5",
                                                    "Probability scan",
                                                    "Priority scan",
                                                    "Silent scan",
                                                    "Switch off"};
constexpr std::array<std::string_view, 14> kGerman{"Selektivruf, Kanal 1",
                                                   "Selektivruf, Kanal 2",
                                                   "Selektivruf, Kanal 3",
                                                   "Selektivruf, Kanal 4",
                                                   "Selektivruf, Kanal 5",
                                                   "Mithören Kanal 1",
                                                   "Mithören Kanal 2",
                                                   "Mithören Kanal 3",
                                                   "Mithören Kanal 4",
                                                   "Mithören Kanal 5",
                                                   "Wahrscheinlichkeitssuchlauf",
                                                   "Prioritätssuchlauf",
                                                   "Stiller Suchlauf",
                                                   "Schalter aus"};

} // namespace

std::string switchAnnouncement(int modeCode, std::string_view voice) {
    if (modeCode < 0 || modeCode >= static_cast<int>(kEnglish.size()))
        return {};
    const bool german = voice == "de" || voice.starts_with("de-");
    return std::string((german ? kGerman : kEnglish)[static_cast<std::size_t>(modeCode)]);
}

} // namespace quorl
