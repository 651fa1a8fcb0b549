#include "app/win/text.hpp"

#include <limits>

namespace Unit1 {

namespace {

constexpr UINT kShiftJisCodePage = 932;

int ClampedLength(std::size_t length) {
    constexpr auto kMax = static_cast<std::size_t>(std::numeric_limits<int>::max());
    return static_cast<int>(length < kMax ? length : kMax);
}

} // namespace

std::wstring Utf8ToWide(std::string_view text) {
    if (text.empty()) return {};
    const int length = ClampedLength(text.size());
    const int wide_length = MultiByteToWideChar(CP_UTF8, 0, text.data(), length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(wide_length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), length, wide.data(), wide_length);
    return wide;
}

std::string WideToShiftJis(std::wstring_view text) {
    if (text.empty()) return {};
    const int length = ClampedLength(text.size());
    const int byte_length = WideCharToMultiByte(kShiftJisCodePage, 0, text.data(), length, nullptr,
                                                0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(byte_length), '\0');
    WideCharToMultiByte(kShiftJisCodePage, 0, text.data(), length, bytes.data(), byte_length,
                        nullptr, nullptr);
    return bytes;
}

std::wstring WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

} // namespace Unit1
