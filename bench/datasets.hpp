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
    std::string Base{}; // a set run before it to show its time against, as a ratio
};

const std::vector<TDataset>& Datasets();

// Writes the dataset's JWC_TEMP.TXT into folder; returns the segment count.
int64_t WriteDataset(const TDataset& dataset, const std::filesystem::path& folder);

} // namespace bench
