#include "link/link_shared.h"

namespace quorl {

LinkShared& linkShared() {
    static LinkShared shared;
    return shared;
}

} // namespace quorl
