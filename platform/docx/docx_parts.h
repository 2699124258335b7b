#pragma once

#include <string>
#include <string_view>

namespace vrn {

// The fixed parts of the report package and the page set-up they share.

// US Letter with one-inch margins: a text column 6.5 inches wide.
constexpr int kTwipsPerInch = 1440;
constexpr int kPageWidthTwips = 12240;
constexpr int kPageHeightTwips = 15840;
constexpr int kMarginTwips = kTwipsPerInch;
constexpr int kTextWidthTwips = kPageWidthTwips - 2 * kMarginTwips;
constexpr int kTextHeightTwips = kPageHeightTwips - 2 * kMarginTwips;

constexpr std::string_view kHeaderRelationship = "rIdHeader";
constexpr std::string_view kFooterRelationship = "rIdFooter";

// Opening of word/document.xml up to the body's first paragraph.
std::string_view DocumentStart();
// The section properties (page size, margins, header and footer) and the document's end.
std::string DocumentEnd();

std::string ContentTypesXml();
std::string PackageRelationshipsXml();
// The document's relationships: styles, settings, header, footer and `pictures` pictures, the
// picture n (1-based) as "media/image<n>.png" with the id PictureRelationship(n).
std::string DocumentRelationshipsXml(int pictures);
std::string PictureRelationship(int n);
std::string PicturePartName(int n);
std::string StylesXml();
std::string SettingsXml();
std::string CorePropertiesXml(std::string_view title);
std::string AppPropertiesXml();

// The page header: `title` centred, 18 pt, bold.
std::string HeaderXml(std::string_view title);
// The page footer, centred: `footer`, a tab, "page " PAGE " / " NUMPAGES as fields.
std::string FooterXml(std::string_view footer);

}  // namespace vrn
