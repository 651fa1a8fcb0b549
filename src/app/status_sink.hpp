// Unit1: where a run reports its progress. The caller (the window, the
// command-line tool) supplies the sink; the run writes the texts (see
// status_texts.hpp), one per step of the sweep.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

namespace Unit1 {

// One status text (UTF-8). For the sweep's progress texts Step is the
// 1-based outer step and Count the number of segments; otherwise both are 0.
struct TStatus {
    std::string_view Text;
    int32_t Step = 0;
    int32_t Count = 0;
};
// Receives each status text and must show it before returning.
using TStatusSink = std::function<void(const TStatus&)>;

} // namespace Unit1
