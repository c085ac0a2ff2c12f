#include "foxpro/TableDefinition.h"

#include "foxpro/CodePage.h"
#include "foxpro/Error.h"
#include "foxpro/Names.h"
#include "foxpro/SqlCursor.h"

namespace foxpro {

namespace {

struct TypeName {
    const char* word;
    char type;
};

// Long names and letters; a numeric type without a width is N(20,6).
constexpr TypeName kTypes[] = {
    {"C", 'C'},         {"CHAR", 'C'},   {"CHARACTER", 'C'}, {"V", 'V'},        {"VARCHAR", 'V'},
    {"N", 'N'},         {"NUM", 'N'},    {"NUMERIC", 'N'},   {"DEC", 'N'},      {"DECIMAL", 'N'},
    {"F", 'F'},         {"FLOAT", 'F'},  {"I", 'I'},         {"INT", 'I'},      {"INTEGER", 'I'},
    {"B", 'B'},         {"DOUBLE", 'B'}, {"Y", 'Y'},         {"CURRENCY", 'Y'}, {"D", 'D'},
    {"DATE", 'D'},      {"T", 'T'},      {"DATETIME", 'T'},  {"L", 'L'},        {"LOGICAL", 'L'},
    {"M", 'M'},         {"MEMO", 'M'},   {"W", 'W'},         {"BLOB", 'W'},     {"Q", 'Q'},
    {"VARBINARY", 'Q'}, {"G", 'G'},      {"GENERAL", 'G'},
};

}  // namespace

TableDefinition::TableDefinition(std::string tableName, std::size_t maxFieldName)
    : tableName_(std::move(tableName)),
      maxFieldName_(maxFieldName),
      codePage_(CodePage::forNumber(CodePage::kDefault)) {}

void TableDefinition::parse(SqlCursor& cursor) {
    for (;;) {
        if (cursor.keyword("FREE")) continue;
        if (cursor.keyword("CODEPAGE")) {
            cursor.expect('=');
            const long number = cursor.wholeNumber();
            codePage_ = CodePage::forNumber(static_cast<int>(number));
            if (!codePage_)
                throw Error::refused(errors::kCodePageInvalid,
                                     "Code page " + std::to_string(number) + " of table " +
                                         quoted(tableName_) + " is not supported.");
            continue;
        }
        break;
    }
    cursor.expect('(');
    do {
        parseColumn(cursor);
    } while (cursor.punct(','));
    cursor.expect(')');
    cursor.expectEnd();

    bool anyNullable = false;
    for (const FieldDef& f : fields_) anyNullable |= f.nullable;
    const std::size_t limit =
        anyNullable ? TableStructure::kMaxFields - 1 : TableStructure::kMaxFields;
    if (fields_.size() > limit)
        throw Error::refused(errors::kTooManyFields, "Table " + quoted(tableName_) + " has " +
                                                         std::to_string(fields_.size()) +
                                                         " columns; at most " +
                                                         std::to_string(limit) + " are allowed.");
    const TableStructure s = structure();
    if (s.recordLength() > TableStructure::kMaxRecordLength)
        throw Error::refused(errors::kFieldWidthInvalid,
                             "Records of table " + quoted(tableName_) + " would be " +
                                 std::to_string(s.recordLength()) + " bytes long; at most " +
                                 std::to_string(TableStructure::kMaxRecordLength) +
                                 " are allowed.");
}

void TableDefinition::badWidth(const FieldDef& f, const std::string& why) const {
    throw Error::refused(errors::kFieldWidthInvalid,
                         "Field width or decimals of column " + quoted(f.label) + " of table " +
                             quoted(tableName_) + " are invalid: " + why + ".");
}

void TableDefinition::parseColumn(SqlCursor& cursor) {
    FieldDef f;
    const std::string_view label = cursor.name();
    f.label = std::string(label);
    // FoxPro keeps field names in upper case; a free table keeps their first 10 bytes.
    std::string stored;
    codePage_->encode(names::upper(label), stored);
    if (stored.size() > maxFieldName_) stored.resize(maxFieldName_);
    while (!stored.empty() && stored.back() == ' ') stored.pop_back();
    if (stored.empty() || stored.find('\0') != std::string::npos)
        throw Error::refused(
            errors::kFieldNameInvalid,
            "Column name " + quoted(f.label) + " of table " + quoted(tableName_) + " is invalid.");
    for (const FieldDef& other : fields_)
        if (other.name == stored)
            throw Error::refused(errors::kFieldNameInvalid,
                                 "Column name " + quoted(f.label) + " of table " +
                                     quoted(tableName_) + " is a duplicate (stored as " +
                                     quoted(codePage_->decode(stored)) + ").");
    f.name = stored;

    cursor.skipSpace();
    const std::size_t typeAt = cursor.position();
    const std::string_view word = cursor.name();
    bool known = false;
    for (const TypeName& t : kTypes)
        if (names::equalIgnoringCase(word, t.word)) {
            f.type = t.type;
            known = true;
            break;
        }
    if (!known) cursor.syntaxErrorAt(typeAt);

    long width = -1, decimals = -1;
    if (cursor.punct('(')) {
        width = cursor.wholeNumber();
        if (cursor.punct(',')) decimals = cursor.wholeNumber();
        cursor.expect(')');
    }
    switch (f.type) {
        case 'C':
        case 'V':
        case 'Q':
            if (width < 0) badWidth(f, "a width is needed");
            if (width < 1 || width > 254) badWidth(f, "the width must be 1 to 254");
            f.width = static_cast<int>(width);
            break;
        case 'N':
        case 'F':
            if (width < 0) {
                width = 20;
                decimals = 6;
            }
            if (decimals < 0) decimals = 0;
            if (width < 1 || width > 20) badWidth(f, "the width must be 1 to 20");
            if (decimals > 18 || (decimals > 0 && decimals > width - 2))
                badWidth(f, "the decimals must leave room for the point and a digit");
            f.width = static_cast<int>(width);
            f.decimals = static_cast<int>(decimals);
            break;
        case 'B':
            // B(d) or B(w,d): the width is ignored, the decimals are for display.
            f.width = 8;
            f.decimals = static_cast<int>(decimals >= 0 ? decimals : 0);
            if (f.decimals > 18) badWidth(f, "the decimals must be 0 to 18");
            break;
        case 'Y':
            f.width = 8;
            f.decimals = 4;
            break;
        default:
            f.width = fixedWidth(f.type);
            break;
    }

    // Columns accept NULL unless NOT NULL is written.
    f.nullable = true;
    for (;;) {
        if (cursor.keyword("NULL")) {
            f.nullable = true;
        } else if (cursor.keyword("NOT")) {
            cursor.expectKeyword("NULL");
            f.nullable = false;
        } else if (cursor.keyword("NOCPTRANS")) {
            if (f.type != 'C' && f.type != 'V' && f.type != 'M') cursor.syntaxError();
            f.binary = true;
        } else {
            break;
        }
    }
    fields_.push_back(std::move(f));
}

}  // namespace foxpro
