#pragma once

#include "voicelib/image_builder.h"
#include "voicelib/project_state.h"

#include <string>

namespace quorl::vq4 {

// The memory map of a built image as C defines and comment lines.
std::string imageListing(const ProjectState& project, const ImageBuildReport& report);

} // namespace quorl::vq4
