#include "foxpro/FieldDef.h"

namespace foxpro {

std::uint8_t FieldDef::flags() const {
    std::uint8_t f = 0;
    if (nullable) f |= 0x02;
    // FoxPro marks the types it never translates as binary, and T when it is nullable.
    if (binary || type == 'I' || type == 'B' || type == 'Y' || type == 'W' || type == 'Q')
        f |= 0x04;
    if (type == 'T' && nullable) f |= 0x04;
    if (autoincStep != 0) f |= 0x0C;
    return f;
}

bool isKnownType(char type) {
    switch (type) {
        case 'C':
        case 'V':
        case 'N':
        case 'F':
        case 'I':
        case 'B':
        case 'Y':
        case 'D':
        case 'T':
        case 'L':
        case 'M':
        case 'W':
        case 'Q':
        case 'G':
            return true;
        default:
            return false;
    }
}

int fixedWidth(char type) {
    switch (type) {
        case 'I':
        case 'M':
        case 'W':
        case 'G':
            return 4;
        case 'B':
        case 'Y':
        case 'D':
        case 'T':
            return 8;
        case 'L':
            return 1;
        default:
            return 0;
    }
}

}  // namespace foxpro
