// Windows side of the text-encoding conversions: the system's own code-page
// tables, so the window shows what the host would.
#ifdef _WIN32

#include <algorithm>
#include <limits>

// The narrow Win32 headers need windef.h and winbase.h first.
// clang-format off
#include <windef.h>
#include <winbase.h>
#include <stringapiset.h>
// clang-format on

#include "platform/text_encoding.hpp"

namespace Platform {

namespace {

int ClampedLength(std::size_t length) {
    constexpr auto kMax = static_cast<std::size_t>(std::numeric_limits<int>::max());
    return static_cast<int>(length < kMax ? length : kMax);
}

std::string WideToCodePage(UINT code_page, std::wstring_view text) {
    if (text.empty()) return {};
    const int length = ClampedLength(text.size());
    const int byte_length =
        WideCharToMultiByte(code_page, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    if (byte_length <= 0) return {};
    std::string bytes(static_cast<std::size_t>(byte_length), '\0');
    WideCharToMultiByte(code_page, 0, text.data(), length, bytes.data(), byte_length, nullptr,
                        nullptr);
    return bytes;
}

} // namespace

std::wstring Utf8ToWide(std::string_view utf8) {
    if (utf8.empty()) return {};
    const int length = ClampedLength(utf8.size());
    const int wide_length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
    if (wide_length <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(wide_length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, wide.data(), wide_length);
    return wide;
}

std::string WideToUtf8(std::wstring_view wide) {
    return WideToCodePage(CP_UTF8, wide);
}

std::string WideToShiftJis(std::wstring_view wide) {
    // The minus sign U+2212 is what some input methods give for "-"; code
    // page 932 writes it as "－", but not every system table knows that.
    constexpr wchar_t kMinusSign = L'\u2212', kFullWidthHyphenMinus = L'\uFF0D';
    if (wide.find(kMinusSign) == std::wstring_view::npos)
        return WideToCodePage(kShiftJisCodePage, wide);
    std::wstring folded(wide);
    std::replace(folded.begin(), folded.end(), kMinusSign, kFullWidthHyphenMinus);
    return WideToCodePage(kShiftJisCodePage, folded);
}

} // namespace Platform

#endif
