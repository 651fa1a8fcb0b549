// The settings file as anything may leave it: load, save, load again; the
// second save must give the same bytes as the first (whatever was read is
// saved as it will be read back).
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "app/rect_settings.hpp"
#include "fuzz_support.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace fuzz_support;
    const auto input = WriteInput("input.dat", {reinterpret_cast<const char*>(data), size});
    const auto first = ScratchFolder() / "first.dat";
    const auto second = ScratchFolder() / "second.dat";

    Unit1::TRectSettings loaded;
    Unit1::LoadSettings(loaded, input);
    Require(Unit1::SaveSettings(loaded, first), "first save failed");
    Unit1::TRectSettings again;
    Unit1::LoadSettings(again, first);
    Require(Unit1::SaveSettings(again, second), "second save failed");
    Require(ReadAll(first) == ReadAll(second), "second save differs from the first");
    return 0;
}
