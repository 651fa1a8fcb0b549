// JwwGaibu: the one Shift-JIS fact the exchange file needs: which bytes open
// a double-byte character, whose second byte then belongs to it whatever it
// is.
#pragma once

namespace JwwGaibu {

constexpr bool IsShiftJisLeadByte(unsigned char byte) {
    return (byte >= 0x80 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFD);
}

} // namespace JwwGaibu
