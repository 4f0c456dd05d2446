#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// Splits one line at a separator into fields numbered from 1. Two adjacent
// separators reset the count, and a trailing separator stays part of the last
// field; callers rely on both to reject broken records.
class tokenizer {
  public:
    explicit tokenizer(std::string_view text, char separator = ';');

    int count() const { return count_; }
    bool clean() const { return clean_; }
    // Field i (1-based); empty when i is out of range or the text was empty.
    std::string field(int i) const;

  private:
    std::vector<char> copy_; // the text with field-ending separators zeroed
    size_t length_ = 0;
    char separator_;
    int count_ = 0;
    bool clean_ = false;
};

// Blanks and control characters (codes 0 to 32) stripped from both ends.
std::string TrimControls(std::string_view text);

} // namespace corvane
