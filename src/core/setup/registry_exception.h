#pragma once
#include <stdexcept>
#include <string>

namespace corvane {

// A failed registry access that the user is told about; what() is the
// registry layer's own sentence, shown as it stands.
class ERegistryException : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

} // namespace corvane
