#pragma once
#include <string>
#include <string_view>

namespace corvane {

// Replaces the file at `path` with `bytes` so that a reader sees either the old
// or the new content, never a half-written file. On any failure the old file
// stays untouched, false is returned and `error` (if given) says why.
bool WriteFileAtomic(const std::string& path, std::string_view bytes, std::string* error = nullptr);

} // namespace corvane
