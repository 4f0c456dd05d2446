#include "core/app/help_file.h"

#include <charconv>
#include <fstream>
#include <sstream>

namespace corvane {

namespace {

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

// "[context 1000 2000] Title" -> contexts and title; false for any other line.
bool ParseHeading(std::string_view line, HelpTopic& topic) {
    constexpr std::string_view kOpen = "[context";
    if (line.substr(0, kOpen.size()) != kOpen)
        return false;
    auto close = line.find(']');
    if (close == std::string_view::npos)
        return false;
    std::string_view numbers = line.substr(kOpen.size(), close - kOpen.size());
    std::vector<int> contexts;
    while (true) {
        numbers = TrimBlanks(numbers);
        if (numbers.empty())
            break;
        int value = 0;
        auto [end, ec] = std::from_chars(numbers.data(), numbers.data() + numbers.size(), value);
        if (ec != std::errc() || (end != numbers.data() + numbers.size() && *end != ' '))
            return false;
        contexts.push_back(value);
        numbers.remove_prefix(static_cast<std::size_t>(end - numbers.data()));
    }
    if (contexts.empty())
        return false;
    topic.contexts = std::move(contexts);
    topic.title = std::string(TrimBlanks(line.substr(close + 1)));
    return true;
}

void Finish(HelpTopic& topic, std::vector<std::string>& lines) {
    while (!lines.empty() && TrimBlanks(lines.back()).empty())
        lines.pop_back();
    std::size_t first = 0;
    while (first < lines.size() && TrimBlanks(lines[first]).empty())
        ++first;
    for (std::size_t i = first; i < lines.size(); ++i) {
        if (i > first)
            topic.body += '\n';
        topic.body += lines[i];
    }
    lines.clear();
}

} // namespace

std::vector<HelpTopic> ParseHelpFile(std::string_view text) {
    std::vector<HelpTopic> topics;
    std::vector<std::string> lines;
    while (!text.empty()) {
        auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);

        HelpTopic next;
        if (ParseHeading(line, next)) {
            if (!topics.empty())
                Finish(topics.back(), lines);
            topics.push_back(std::move(next));
        } else if (!topics.empty()) {
            lines.emplace_back(line);
        }
    }
    if (!topics.empty())
        Finish(topics.back(), lines);
    return topics;
}

std::vector<HelpBlock> HelpBlocks(std::string_view body) {
    std::vector<HelpBlock> blocks;
    bool open = false; // the last block takes more lines
    while (true) {
        auto end = body.find('\n');
        std::string_view line = body.substr(0, end);
        if (TrimBlanks(line).empty()) {
            open = false;
        } else {
            const bool indented = line.front() == ' ' || line.front() == '\t';
            if (open && blocks.back().preformatted == indented) {
                blocks.back().text += indented ? "\n" : " ";
            } else {
                blocks.push_back({indented, {}});
                open = true;
            }
            blocks.back().text += indented ? std::string(line) : std::string(TrimBlanks(line));
        }
        if (end == std::string_view::npos)
            break;
        body.remove_prefix(end + 1);
    }
    return blocks;
}

const HelpTopic* FindHelpTopic(const std::vector<HelpTopic>& topics, int context) {
    if (topics.empty())
        return nullptr;
    const HelpTopic* below = nullptr;
    int belowContext = 0;
    for (const auto& topic : topics) {
        for (int c : topic.contexts) {
            if (c == context)
                return &topic;
            if (c < context && c / 1000 == context / 1000 && (!below || c > belowContext)) {
                below = &topic;
                belowContext = c;
            }
        }
    }
    return below ? below : &topics.front();
}

std::optional<std::vector<HelpTopic>> LoadHelpFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    return ParseHelpFile(text.str());
}

} // namespace corvane
