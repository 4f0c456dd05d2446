#include "core/app/tokenizer.h"

namespace corvane {

tokenizer::tokenizer(std::string_view text, char separator)
    : copy_(text.begin(), text.end()), length_(text.size()), separator_(separator) {
    copy_.push_back('\0');
    count_ = 1;
    clean_ = length_ == 0 || copy_[length_ - 1] != separator_;
    for (size_t i = 0; i < length_; ++i) {
        if (copy_[i] != separator_)
            continue;
        char next = copy_[i + 1];
        if (i + 1 < length_ && next != separator_) {
            copy_[i] = '\0';
            ++count_;
        } else if (next == separator_) {
            copy_[i] = '\0';
            count_ = 0;
            clean_ = false;
        }
    }
}

std::string tokenizer::field(int i) const {
    if (i < 1 || i > count_ || length_ == 0)
        return {};
    size_t pos = 0;
    for (int counter = 1; pos < length_ && counter < i;) {
        ++pos;
        if (copy_[pos - 1] == '\0')
            ++counter;
    }
    return std::string(copy_.data() + pos);
}

std::string TrimControls(std::string_view text) {
    size_t begin = 0, end = text.size();
    while (begin < end && static_cast<unsigned char>(text[begin]) <= 32)
        ++begin;
    while (end > begin && static_cast<unsigned char>(text[end - 1]) <= 32)
        --end;
    return std::string(text.substr(begin, end - begin));
}

} // namespace corvane
