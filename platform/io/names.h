#pragma once
// The hint for a word that names nothing known (an option, a command, a field of a return file):
// the known name nearest to it by edit distance, when it is near enough to be a slip.

#include <string>
#include <string_view>
#include <vector>

namespace kestrun::io {

// Of `known`, the name nearest to `word` by edit distance; the earlier one on a tie.
std::string nearest(std::string_view word, const std::vector<std::string>& known);

// " (did you mean 'nazw'?)" when the nearest name is a slip away (a letter or two, a third of
// the word at most); the empty text when every known name is far from it.
std::string did_you_mean(std::string_view word, const std::vector<std::string>& known);

} // namespace kestrun::io
