#pragma once

namespace vrn {

// Titles and texts of the messages about whole matrix files.
inline constexpr const char* kLoadTitle = "Can't perform load";
inline constexpr const char* kImportTitle = "Can't perform import.";
inline constexpr const char* kSaveTitle = "Can't perform save";

// Where the refusal of a newer file sends the user.
inline constexpr const char* kWebSiteAddress = "https://www.varnel.example/";

inline constexpr const char* kImportVersion1Text =
    "The file format openned does not support alternatives   ";
inline constexpr const char* kImportVersionText =
    "The file is written in a format that this program does not know how to open correctly. ";

// Shown once per read when the stand-alone program meets entity-bound elements.
inline constexpr const char* kGroupEntityWarning =
    "This read of an entity operation is Unsupported in the standalone version of the VRN "
    "software";
inline constexpr const char* kOptionEntityWarning =
    "This read of an entity operation in VRN_OptionGroup is Unsupported in the standalone version "
    "of the VRN software";

}  // namespace vrn
