#pragma once

// Deployment values: the maker's addresses and telephone numbers, and the hosts of the
// services the program talks to. Each is only a default: the settings entry of the same name
// overrides it, which is how tests point every service at 127.0.0.1.
namespace qv::config {

inline constexpr const char* kMakerSite = "https://www.coppergrovesoftware.example/";
inline constexpr const char* kCompany = "Copper Grove Software, Inc.";
inline constexpr const char* kWebSite = "www.coppergrovesoftware.example";
inline constexpr const char* kSalesPhone = "1-800-555-0142";
inline constexpr const char* kCopperGroveSalesPhone = "1-800-555-0143";
inline constexpr const char* kSupportPhone = "1-800-555-0144";
inline constexpr const char* kProduct = "Quorva";

// Program version, also written into returns (major.minor).
inline constexpr unsigned kVersionMajor = QV_VERSION_MAJOR;
inline constexpr unsigned kVersionMinor = QV_VERSION_MINOR;

} // namespace qv::config
