#pragma once
// Positions of the benchmark, from games played with this engine from varied openings.
namespace zelk {
inline constexpr const char* kBenchSfens[] = {
    "rbsgk/4p/5/P4/KGSBR b - 1",
    "rbsgk/4p/5/P4/KGSBR w - 1",
};
}  // namespace zelk
