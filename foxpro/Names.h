#pragma once

#include <string>
#include <string_view>

namespace foxpro {

// Letter case of names: table names resolve without regard to case and are stored as lower-case
// file names; field names are stored in upper case as FoxPro does. Covers ASCII, Latin-1,
// Latin Extended-A, Greek and Cyrillic, which is what table and column names hold in practice.
namespace names {

std::string lower(std::string_view utf8);
std::string upper(std::string_view utf8);
bool equalIgnoringCase(std::string_view a, std::string_view b);

// Why `name` cannot be a table's file name, or empty when it can: a table name must be one
// plain file-name component, so that nothing is ever written outside the target folder.
std::string unsafeReason(std::string_view name);

constexpr std::size_t kMaxTableNameBytes = 200;

}  // namespace names
}  // namespace foxpro
