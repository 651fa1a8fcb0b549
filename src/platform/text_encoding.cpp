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

// Past a byte that cannot be converted: in UTF-8 the rest of its character.
std::size_t SkipLength(std::string_view rest, bool utf8_input) {
    std::size_t length = 1;
    while (utf8_input && length < rest.size() && (rest[length] & 0xC0) == 0x80)
        ++length;
    return length;
}

// Without a converter only ASCII can be trusted.
std::string ReplaceNonAscii(std::string_view text, std::string_view replacement, bool utf8_input) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            out += text[i++];
        } else {
            out += replacement;
            i += SkipLength(text.substr(i), utf8_input);
        }
    }
    return out;
}

// Runs the text through iconv; what it cannot convert becomes the
// replacement and conversion resumes after it.
std::string Convert(const char* to, const char* from, std::string_view text,
                    std::string_view replacement, bool utf8_input) {
    iconv_t converter = iconv_open(to, from);
    if (converter == reinterpret_cast<iconv_t>(-1))
        return ReplaceNonAscii(text, replacement, utf8_input);

    std::string out;
    out.reserve(text.size() * 3 / 2);
    std::array<char, 512> buffer{};
    // iconv's interface is not const-correct; it never writes through in.
    char* in = const_cast<char*>(text.data());
    std::size_t in_left = text.size();
    while (in_left > 0) {
        char* out_at = buffer.data();
        std::size_t out_left = buffer.size();
        std::size_t result = iconv(converter, &in, &in_left, &out_at, &out_left);
        out.append(buffer.data(), static_cast<std::size_t>(out_at - buffer.data()));
        if (result != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
        // EILSEQ or EINVAL (a character cut off at the end): skip it.
        out += replacement;
        const std::size_t skip = SkipLength(std::string_view(in, in_left), utf8_input);
        in += skip;
        in_left -= skip;
        iconv(converter, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(converter);
    return out;
}

std::string Decode(std::string_view sjis) {
    return Convert("UTF-8", "CP932", sjis, kReplacement, false);
}

std::string Encode(std::string_view utf8) {
    return Convert("CP932", "UTF-8", utf8, "?", true);
}

#endif

} // namespace

std::string Utf8ToShiftJis(std::string_view utf8) {
    if (IsAscii(utf8)) return std::string(utf8);
#ifdef _WIN32
    return WideToShiftJis(Utf8ToWide(utf8));
#else
    return Encode(utf8);
#endif
}

std::string ShiftJisToUtf8(std::string_view sjis) {
    if (IsAscii(sjis)) return std::string(sjis);
    return Decode(sjis);
}

} // namespace Platform
