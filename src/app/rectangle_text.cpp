#include "app/rectangle_text.hpp"

#include <algorithm>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "exchange/output_buffer.hpp"
#include "exchange/output_commands.hpp"

namespace Unit1 {

namespace {

// Below this many rectangles starting threads costs more than it saves.
constexpr std::size_t kParallelMinimum = 4096;
constexpr unsigned kMaxThreads = 8;

// The line records of a run of rectangles, back to back, with their lengths.
struct TFormatted {
    std::string Bytes;
    std::vector<uint8_t> Lengths;
    bool Failed = false;
};

// Calls emit(text) for each side of the rectangle, in drawing order.
template <class Emit> void FormatRectangle(const TRectCorners& r, Emit&& emit) {
    std::array<JwwGaibu::TPointText, 4> corners;
    for (std::size_t i = 0; i < corners.size(); ++i)
        corners[i] = JwwGaibu::MakePointText(r.X[i], r.Y[i]);
    char text[JwwGaibu::kLineRecordMax];
    for (std::size_t i = 0; i < corners.size(); ++i) {
        const std::size_t length =
            JwwGaibu::FormatLineRecord(corners[i], corners[(i + 1) % corners.size()], text);
        if (length > 0) emit(std::string_view(text, length));
    }
}

void FormatInto(std::span<const TRectCorners> rects, TFormatted& out) noexcept {
    try {
        out.Bytes.reserve(rects.size() * 4 * 40);
        out.Lengths.reserve(rects.size() * 4);
        for (const TRectCorners& r : rects) {
            FormatRectangle(r, [&](std::string_view line) {
                out.Bytes.append(line);
                out.Lengths.push_back(static_cast<uint8_t>(line.size()));
            });
        }
    } catch (...) {
        out.Failed = true; // the caller formats this part itself
    }
}

void AppendDirectly(JwwGaibu::TExchangeState& state, std::span<const TRectCorners> rects) {
    for (const TRectCorners& r : rects)
        FormatRectangle(r, [&](std::string_view line) { JwwGaibu::AddOutputLine(state, line); });
}

void AppendFormatted(JwwGaibu::TExchangeState& state, const TFormatted& part) {
    std::size_t offset = 0;
    for (const uint8_t length : part.Lengths) {
        JwwGaibu::AddOutputLine(state, std::string_view(part.Bytes.data() + offset, length));
        offset += length;
    }
}

unsigned ThreadCount(std::size_t rects, unsigned wanted) {
    if (rects < kParallelMinimum) return 1;
    if (wanted == 0) wanted = std::thread::hardware_concurrency();
    return std::clamp(wanted, 1u, kMaxThreads);
}

} // namespace

void AppendRectangles(JwwGaibu::TExchangeState& state, std::span<const TRectCorners> rects,
                      unsigned wanted_threads) {
    const unsigned threads = ThreadCount(rects.size(), wanted_threads);
    if (threads == 1) return AppendDirectly(state, rects);

    // Part 0 is appended directly by this thread while the others format.
    const std::size_t part_size = (rects.size() + threads - 1) / threads;
    auto part = [&](unsigned k) {
        const std::size_t begin = std::min(rects.size(), k * part_size);
        return rects.subspan(begin, std::min(part_size, rects.size() - begin));
    };
    std::vector<TFormatted> formatted(threads);
    // Joined however this thread leaves, also when appending runs out of memory.
    std::vector<std::jthread> workers;
    for (unsigned k = 1; k < threads; ++k) {
        try {
            workers.emplace_back(FormatInto, part(k), std::ref(formatted[k]));
        } catch (...) {
            formatted[k].Failed = true; // no thread: formatted below instead
        }
    }
    AppendDirectly(state, part(0));
    for (std::jthread& worker : workers)
        worker.join();
    for (unsigned k = 1; k < threads; ++k) {
        if (formatted[k].Failed)
            AppendDirectly(state, part(k));
        else
            AppendFormatted(state, formatted[k]);
    }
}

} // namespace Unit1
