// The product's names: the window titles, the revision texts of the About boxes and
// printed pages, and the profile's organisation and application names.
#pragma once

inline constexpr const char* kProductName = "CS-Tolvar";
inline constexpr const char* kProfileOrganisation = "Velk";
inline constexpr const char* kProfileApplication = "CS-Tolvar";
inline constexpr const char* kRevisionLong = "Revision 1.4"; // printed pages, About
inline constexpr const char* kRevisionShort = "Rev.1.4";     // the splash, --version
