#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "foxpro/CodePage.h"
#include "foxpro/FieldDef.h"

namespace foxpro {

// The layout of a .dbf: fields with their displacements, the hidden _NullFlags field, record
// and header lengths, and the 32-byte header with its subrecords and 263-byte backlink. The
// backlink is empty for a free table; a table bound to a container passes the container's path.
class TableStructure {
public:
    static constexpr int kBacklinkSize = 263;
    static constexpr int kMaxRecordLength = 65500;
    static constexpr int kMaxFields = 255;

    TableStructure() = default;
    // Lays the fields out in order after the deletion flag, allocating null and length bits.
    TableStructure(std::vector<FieldDef> fields, const CodePage* codePage);

    // Reads a header; throws foxpro::Error when the bytes are not a FoxPro table header.
    static TableStructure parse(std::string_view bytes, const std::string& fileName);
    // Bytes needed to parse the header (the first 32 say how long it is).
    static std::size_t headerLengthOf(std::string_view first32);

    std::string headerBytes(std::uint32_t recordCount, const std::string& backlink) const;
    // The 4 bytes of a record count and the 3 of the last-update date, at offsets 4 and 1.
    static void putCount(char* at, std::uint32_t count);
    static void putToday(char* at);

    const std::vector<FieldDef>& fields() const { return fields_; }
    const CodePage* codePage() const { return codePage_; }
    int recordLength() const { return recordLength_; }
    int headerLength() const { return headerLength_; }
    int nullFlagsOffset() const { return nullFlagsOffset_; }
    int nullFlagsWidth() const { return nullFlagsWidth_; }
    std::uint8_t fileType() const;
    std::uint8_t tableFlags() const;
    bool hasMemo() const;
    const std::string& backlink() const { return backlink_; }
    // Index of the field with this name (stored or as written, case ignored), or -1.
    int find(std::string_view name) const;

private:
    std::vector<FieldDef> fields_;
    const CodePage* codePage_ = nullptr;
    int recordLength_ = 1;
    int headerLength_ = 0;
    int nullFlagsOffset_ = 0;
    int nullFlagsWidth_ = 0;
    std::uint8_t structuralFlags_ = 0;  // kept from a parsed header (.cdx, container bits)
    std::string backlink_;
};

}  // namespace foxpro
