#pragma once
#include <functional>
#include <string>

namespace corvane {

enum class MessageIcon {
    None,
    Information,
    Warning,
    Error, // the stop icon
    Question,
};

// One message box as the program would show it.
struct UserMessage {
    std::string text;
    std::string title;
    MessageIcon icon = MessageIcon::Information;

    bool operator==(const UserMessage&) const = default;
};

using MessageSink = std::function<void(const UserMessage&)>;

} // namespace corvane
