#pragma once

#include "codeplug/codeplug_image.h"
#include "editors/general_tab.h"
#include "textplug/text_fields.h"

#include <array>
#include <string>
#include <vector>

namespace quorl::textplug {

// Every value the User Data window shows for `image`, in the order of the text:
// identity, model options, the eight function switches, then each channel the
// window has a tab for. The editors are opened over a copy, so the values are
// exactly what a person would see, repairs of out-of-range bytes included.
// `firmware` is the pager's firmware version when the image came from a pager.
std::vector<TextField> codeplugFields(const CodeplugImage& image,
                                      const std::array<std::string, 5>& firmware = {});

// The identity as the General tab shows it, plus the channel type.
std::vector<TextField> identityFields(const GeneralTabTexts& general, int channelCount);

// The item names of the falsing sliders, "Default", "Level 1", "Level 2".
std::string falsingLevelName(int position);

} // namespace quorl::textplug
