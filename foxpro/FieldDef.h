#pragma once

#include <cstdint>
#include <string>

namespace foxpro {

// One field of a table as its header describes it. `name` holds the stored name (upper case,
// at most 10 code-page bytes in a free table); `label` is the name as the statement wrote it,
// for failure texts. A later database container keeps its long names beside these.
struct FieldDef {
    std::string name;
    std::string label;
    char type = 'C';
    int width = 1;
    int decimals = 0;
    bool nullable = false;
    bool binary = false;  // NOCPTRANS: stored without code page translation
    std::uint32_t autoincNext = 0;
    std::uint8_t autoincStep = 0;

    // Filled in by TableStructure.
    int offset = 0;
    int nullBit = -1;    // bit in _NullFlags set when the value is NULL
    int lengthBit = -1;  // bit set when a V or Q value is shorter than the width

    std::uint8_t flags() const;
    bool isMemo() const { return type == 'M' || type == 'G' || type == 'W'; }
    bool isVariable() const { return type == 'V' || type == 'Q'; }
};

// Field types FoxPro 9 knows, and whether the width is written or fixed.
bool isKnownType(char type);
// The fixed width of a type whose width is not written (0 when the statement gives it).
int fixedWidth(char type);

}  // namespace foxpro
