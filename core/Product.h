#pragma once

// Names and addresses that every window and message of the program shares.
namespace Product {
inline constexpr const char* kName = "Brindlecast";
inline constexpr const char* kSupportEmail = "support@brindlecast.org";
inline constexpr const char* kWebsite = "https://brindlecast.org";
// Where the connection help sends people to get pgAdmin.
inline constexpr const char* kPgAdminDownload = "https://www.pgadmin.org/download/";
}  // namespace Product
