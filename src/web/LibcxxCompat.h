#pragma once
// What emscripten 3.1.6's libc++ (LLVM 14) lacks of C++20 and the editor's headers use:
// std::ranges::sort (editor/Layout.h). Every file of the web front end is compiled with
// this header first; a newer libc++ has its own and skips this.

#include <algorithm>
#include <functional>

#if defined(_LIBCPP_VERSION) && _LIBCPP_VERSION < 15000
namespace std::ranges {
struct SortByProjection {
  template <class Range, class Compare = std::less<>, class Projection = std::identity>
  void operator()(Range& range, Compare compare = {}, Projection projection = {}) const {
    std::sort(std::begin(range), std::end(range), [&](const auto& a, const auto& b) {
      return compare(std::invoke(projection, a), std::invoke(projection, b));
    });
  }
};
inline constexpr SortByProjection sort{};
}  // namespace std::ranges
#endif
