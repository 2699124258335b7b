#pragma once

#include <filesystem>
#include <string_view>

namespace kt::test {

// Catalogue files of older schemas, written here with plain SQL, column by column, so that the
// upgrade is checked against schemas it did not make itself. Column types are declared as the
// server declares them, so an upgraded file can be compared with a new one.

// The oldest schema: Activity, Decomposition, Specialisation, Attributes and the old dependency
// tables, holding only the root activity (key 0).
void writeOldestCatalogue(const std::filesystem::path& path);

// The same with a small catalogue in it:
//   0 "Old Root"; 1 "Resources" (old type 3) and 2 "Places" (old type 9) below it;
//   3 "Make tea" below 0, 4 "Make green tea" below 3; 5 "Kettle" (old type 3);
//   6 "Old dependency" (old type 5, dropped); 7 "Tea set" (a bundle); 8 "Bundled place"
//   (a bundle of old type 4, dropped).
//   Decompositions: 1 from 3 to 5 (its own origin), 2 from 4 to 5 (a copy of 1), 3 from 3 to 4
//   (deleted).
//   Attributes: "Activity Display" on 3 ("5 !first! second !third!") and on 4 ("no fields"),
//   "doclinks" on 3 (a link to 4 flagged 0 and one to 5 flagged 1) and on 4 ("-1"),
//   "Skills Required" on 5, "Actors" on 3, "Colour" on 4 without a class.
void writeOldestCatalogueWithContent(const std::filesystem::path& path);

// The schema as the conversion to version 6 leaves it, with the content a converted catalogue
// holds: the ten kind roots below "Tessary Root" (1), "Activity Root" (0) with its default
// bundle (11), the activities "Make tea" (12) and "Make green tea" (14) with their default
// bundles (13, 15), where 14 is a member of 13, and the resource "Kettle" (16).
//   Decompositions: 3 from 12 to 16 (its own origin), 4 from 14 to 16 (a copy of 3), 5 from 12
//   to 16 deleted, 6 from 16 to 12 whose origin 99 does not exist.
//   Attributes: the fixed ones of the port, attribute type and user group roots; "Notes" on
//   16 ("7!a!b!c"), on 14 ("  !a!b!c"), on 12 ("x!a!b!c") and on 0 ("no fields").
void writeVersion6Catalogue(const std::filesystem::path& path);

// Runs SQL on a catalogue file behind the server's back.
void runSql(const std::filesystem::path& path, std::string_view sql);

}  // namespace kt::test
