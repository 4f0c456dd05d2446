#pragma once
#include <string>

namespace corvane {

// The user-visible connection name of an adapter ("Local Area Connection").
class ConnectionNames {
  public:
    virtual ~ConnectionNames() = default;
    // Empty when nothing is known; never fails otherwise.
    virtual std::string ConnectionNameOf(const std::string& adapterName) = 0;
};

} // namespace corvane
