#pragma once

#include "codeplug/channel_block.h"

namespace quorl::test {

// Short names for a channel's tone slots, as tables of tone cases read best.
constexpr ToneSlot t1(int call) {
    return {ToneKind::Tone1, call};
}
constexpr ToneSlot t2(int call) {
    return {ToneKind::Tone2, call};
}
constexpr ToneSlot grp(int group) {
    return {ToneKind::Group, group};
}

} // namespace quorl::test
