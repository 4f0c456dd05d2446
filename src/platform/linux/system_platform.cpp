#include "platform/platform.h"

namespace corvane {

// First cut: no services yet; the rtnetlink back end fills them in.
std::unique_ptr<Platform> CreateSystemPlatform() {
    return std::make_unique<Platform>();
}

} // namespace corvane
