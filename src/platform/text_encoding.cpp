#include "platform/text_encoding.hpp"

#include <algorithm>
#include <array>

#ifdef _WIN32
// The narrow Win32 headers need windef.h and winbase.h first.
// clang-format off
#include <windef.h>
#include <winbase.h>
#include <stringapiset.h>
// clang-format on
#else
#include <cerrno>
#include <iconv.h>
#endif

namespace Platform {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD"; // U+FFFD

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

#ifdef _WIN32

void AppendWide(std::string& out, const wchar_t* wide, int length) {
    if (length > 0) out += WideToUtf8(std::wstring_view(wide, static_cast<std::size_t>(length)));
}

// Decodes one character of one or two bytes; false when it is not valid.
bool AppendCharacter(std::string& out, const char* bytes, int length) {
    std::array<wchar_t, 4> wide{};
    int count = MultiByteToWideChar(kShiftJisCodePage, MB_ERR_INVALID_CHARS, bytes, length,
                                    wide.data(), static_cast<int>(wide.size()));
    if (count <= 0) return false;
    AppendWide(out, wide.data(), count);
    return true;
}

// Character by character, so that one bad byte costs only itself.
void DecodeSlowly(std::string& out, std::string_view sjis) {
    std::size_t i = 0;
    while (i < sjis.size()) {
        auto lead = static_cast<BYTE>(sjis[i]);
        bool pair = IsDBCSLeadByteEx(kShiftJisCodePage, lead) && i + 1 < sjis.size();
        int length = pair ? 2 : 1;
        if (AppendCharacter(out, sjis.data() + i, length)) {
            i += static_cast<std::size_t>(length);
        } else {
            out += kReplacement;
            ++i;
        }
    }
}

std::string Decode(std::string_view sjis) {
    std::string out;
    int in_length = static_cast<int>(sjis.size());
    int wide_length = MultiByteToWideChar(kShiftJisCodePage, MB_ERR_INVALID_CHARS, sjis.data(),
                                          in_length, nullptr, 0);
    if (wide_length > 0) {
        std::wstring wide(static_cast<std::size_t>(wide_length), L'\0');
        MultiByteToWideChar(kShiftJisCodePage, MB_ERR_INVALID_CHARS, sjis.data(), in_length,
                            wide.data(), wide_length);
        AppendWide(out, wide.data(), wide_length);
        return out;
    }
    DecodeSlowly(out, sjis);
    return out;
}

#else

// Without a converter only ASCII can be trusted.
std::string ReplaceNonAscii(std::string_view sjis) {
    std::string out;
    for (char c : sjis) {
        if (static_cast<unsigned char>(c) < 0x80) {
            out += c;
        } else {
            out += kReplacement;
        }
    }
    return out;
}

std::string Decode(std::string_view sjis) {
    iconv_t converter = iconv_open("UTF-8", "CP932");
    if (converter == reinterpret_cast<iconv_t>(-1)) return ReplaceNonAscii(sjis);

    std::string out;
    out.reserve(sjis.size() * 3 / 2);
    std::array<char, 512> buffer{};
    // iconv's interface is not const-correct; it never writes through in.
    char* in = const_cast<char*>(sjis.data());
    std::size_t in_left = sjis.size();
    while (in_left > 0) {
        char* to = buffer.data();
        std::size_t to_left = buffer.size();
        std::size_t result = iconv(converter, &in, &in_left, &to, &to_left);
        out.append(buffer.data(), static_cast<std::size_t>(to - buffer.data()));
        if (result != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
        // EILSEQ or EINVAL (a lead byte at the end): skip the one byte.
        out += kReplacement;
        ++in;
        --in_left;
        iconv(converter, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(converter);
    return out;
}

#endif

} // namespace

std::string ShiftJisToUtf8(std::string_view sjis) {
    if (IsAscii(sjis)) return std::string(sjis);
    return Decode(sjis);
}

} // namespace Platform
