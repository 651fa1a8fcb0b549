// Benchmark datasets: seeded selections written as exchange files the way
// the host writes them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace bench {

struct TDataset {
    std::string Name;
    std::string Description;
    bool PlainFeasible; // the plain pair loop ends within a minute
    std::string Base{}; // the same set without its outlier, for a ratio
};

const std::vector<TDataset>& Datasets();

// Writes the dataset's JWC_TEMP.TXT into folder; returns the segment count.
int64_t WriteDataset(const TDataset& dataset, const std::filesystem::path& folder);

} // namespace bench
