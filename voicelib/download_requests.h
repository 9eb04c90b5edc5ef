#pragma once

#include "voicelib/vq4.h"

namespace quorl::vq4 {

// Turns the non-empty entries among the first `count` requests into the
// project's prompt list.
void loadPromptRequests(int count, const PromptRequest* requests);

// Adds or extends voice macros by number from the caller's blocks.
void loadVoiceMacroBlocks(int count, const VoiceMacroBlock* blocks);

// Reserved regions and message slots of VQ4CreateDownloadFile2. False when a
// region's data may not be used.
bool loadExtraEntries(int count, const PromptRequest* extras);

} // namespace quorl::vq4
