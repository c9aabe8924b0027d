#include "platform/io/names.h"

#include <algorithm>
#include <numeric>

namespace kestrun::io {

namespace {

std::size_t edit_distance(std::string_view a, std::string_view b)
{
    std::vector<std::size_t> row(b.size() + 1);
    std::iota(row.begin(), row.end(), std::size_t{0});
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return row[b.size()];
}

} // namespace

std::string nearest(std::string_view word, const std::vector<std::string>& known)
{
    std::string best;
    std::size_t best_distance = 0;
    for (const auto& k : known) {
        const auto d = edit_distance(word, k);
        if (best.empty() || d < best_distance) {
            best = k;
            best_distance = d;
        }
    }
    return best;
}

std::string did_you_mean(std::string_view word, const std::vector<std::string>& known)
{
    const auto best = nearest(word, known);
    const auto limit = std::clamp<std::size_t>(word.size() / 3, 1, 2);
    if (best.empty() || edit_distance(word, best) > limit)
        return {};
    return " (did you mean '" + best + "'?)";
}

} // namespace kestrun::io
