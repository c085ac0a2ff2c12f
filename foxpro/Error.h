#pragma once

#include <stdexcept>
#include <string>

namespace foxpro {

// A failure of the table engine. Refused statements carry FoxPro's error number and a
// description that starts with "SQLException: "; failures of the machine (disk, permissions,
// a table held elsewhere) carry the system's own words without that prefix.
class Error : public std::runtime_error {
public:
    Error(long number, const std::string& description)
        : std::runtime_error(description), number_(number) {}

    long number() const { return number_; }
    std::string description() const { return what(); }

    // A refused statement: "SQLException: " + sentence.
    static Error refused(long number, const std::string& sentence) {
        return Error(number, "SQLException: " + sentence);
    }
    // A failing system call on `file`, described with errno's words.
    static Error system(long number, const std::string& action, const std::string& file, int err);

private:
    long number_;
};

// FoxPro's own error numbers, reused where the meaning matches.
namespace errors {
constexpr long kFileNotFound = 1;
constexpr long kFileExists = 7;
constexpr long kTypeMismatch = 9;
constexpr long kSyntax = 10;
constexpr long kNumericOverflow = 39;
constexpr long kFileInUse = 108;
constexpr long kInvalidPath = 202;
constexpr long kFileWrite = 1105;
constexpr long kFileCreate = 102;
constexpr long kFileRead = 1104;
constexpr long kTooFewArguments = 1229;
constexpr long kTooManyArguments = 1230;
constexpr long kNullNotAccepted = 1581;
constexpr long kFieldNameInvalid = 1712;
constexpr long kFieldWidthInvalid = 1713;
constexpr long kColumnNotFound = 1806;
constexpr long kCodePageInvalid = 1914;
constexpr long kInvalidDate = 2034;
constexpr long kTableTooLarge = 1190;
constexpr long kNotATable = 15;
constexpr long kTooManyFields = 1814;
}  // namespace errors

// `text` in double quotes, as names and values appear inside failure sentences.
std::string quoted(const std::string& text);

}  // namespace foxpro
