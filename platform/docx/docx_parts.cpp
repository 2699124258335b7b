#include "platform/docx/docx_parts.h"

#include "platform/docx/docx_xml.h"

namespace vrn {

namespace {

constexpr std::string_view kDeclaration =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
constexpr std::string_view kWordNamespaces =
    " xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\""
    " xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"";
constexpr std::string_view kRelationshipTypes =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
constexpr std::string_view kWordContentType =
    "application/vnd.openxmlformats-officedocument.wordprocessingml.";

constexpr int kHeaderDistanceTwips = 720;
constexpr int kTitleHalfPoints = 36;  // 18 pt
// The header and footer styles' tab stops: the middle and the right edge of the text column.
constexpr int kCentreTabTwips = kTextWidthTwips / 2;

std::string Relationship(std::string_view id, std::string_view type, std::string_view target) {
    std::string xml = "<Relationship Id=\"";
    xml += id;
    xml += "\" Type=\"";
    xml += kRelationshipTypes;
    xml += type;
    xml += "\" Target=\"";
    xml += target;
    xml += "\"/>";
    return xml;
}

// Header and footer paragraphs: no indents or spacing, single lines, centred, body text.
constexpr std::string_view kHeaderFooterParagraph =
    "<w:widowControl/><w:spacing w:before=\"0\" w:beforeAutospacing=\"0\" w:after=\"0\""
    " w:afterAutospacing=\"0\" w:line=\"240\" w:lineRule=\"auto\"/>"
    "<w:ind w:left=\"0\" w:right=\"0\" w:firstLine=\"0\"/><w:jc w:val=\"center\"/>"
    "<w:outlineLvl w:val=\"9\"/>";

std::string Field(std::string_view instruction) {
    std::string xml =
        "<w:r><w:fldChar w:fldCharType=\"begin\"/></w:r>"
        "<w:r><w:instrText xml:space=\"preserve\"> ";
    xml += instruction;
    xml +=
        " </w:instrText></w:r><w:r><w:fldChar w:fldCharType=\"separate\"/></w:r>"
        "<w:r><w:t>1</w:t></w:r><w:r><w:fldChar w:fldCharType=\"end\"/></w:r>";
    return xml;
}

std::string TextRun(std::string_view text) {
    std::string xml = "<w:r>";
    AppendRunContent(xml, text);
    xml += "</w:r>";
    return xml;
}

}  // namespace

std::string_view DocumentStart() {
    static const std::string start =
        std::string(kDeclaration) + "<w:document" + std::string(kWordNamespaces) +
        " xmlns:wp=\"http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing\""
        " xmlns:a=\"http://schemas.openxmlformats.org/drawingml/2006/main\""
        " xmlns:pic=\"http://schemas.openxmlformats.org/drawingml/2006/picture\"><w:body>";
    return start;
}

std::string DocumentEnd() {
    return "<w:sectPr><w:headerReference w:type=\"default\" r:id=\"" +
           std::string(kHeaderRelationship) + "\"/><w:footerReference w:type=\"default\" r:id=\"" +
           std::string(kFooterRelationship) + "\"/><w:pgSz w:w=\"" +
           std::to_string(kPageWidthTwips) + "\" w:h=\"" + std::to_string(kPageHeightTwips) +
           "\"/><w:pgMar w:top=\"" + std::to_string(kMarginTwips) + "\" w:right=\"" +
           std::to_string(kMarginTwips) + "\" w:bottom=\"" + std::to_string(kMarginTwips) +
           "\" w:left=\"" + std::to_string(kMarginTwips) + "\" w:header=\"" +
           std::to_string(kHeaderDistanceTwips) + "\" w:footer=\"" +
           std::to_string(kHeaderDistanceTwips) +
           "\" w:gutter=\"0\"/></w:sectPr></w:body></w:document>";
}

std::string ContentTypesXml() {
    const std::string word(kWordContentType);
    return std::string(kDeclaration) +
           "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
           "<Default Extension=\"rels\" "
           "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
           "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
           "<Default Extension=\"png\" ContentType=\"image/png\"/>"
           "<Override PartName=\"/word/document.xml\" ContentType=\"" +
           word +
           "document.main+xml\"/>"
           "<Override PartName=\"/word/styles.xml\" ContentType=\"" +
           word +
           "styles+xml\"/>"
           "<Override PartName=\"/word/settings.xml\" ContentType=\"" +
           word +
           "settings+xml\"/>"
           "<Override PartName=\"/word/header1.xml\" ContentType=\"" +
           word +
           "header+xml\"/>"
           "<Override PartName=\"/word/footer1.xml\" ContentType=\"" +
           word +
           "footer+xml\"/>"
           "<Override PartName=\"/docProps/core.xml\" "
           "ContentType=\"application/vnd.openxmlformats-package.core-properties+xml\"/>"
           "<Override PartName=\"/docProps/app.xml\" "
           "ContentType=\"application/vnd.openxmlformats-officedocument.extended-properties+xml\"/>"
           "</Types>";
}

std::string PackageRelationshipsXml() {
    return std::string(kDeclaration) +
           "<Relationships "
           "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">" +
           Relationship("rIdDocument", "officeDocument", "word/document.xml") +
           "<Relationship Id=\"rIdCore\" Type=\"http://schemas.openxmlformats.org/package/2006/"
           "relationships/metadata/core-properties\" Target=\"docProps/core.xml\"/>" +
           Relationship("rIdApp", "extended-properties", "docProps/app.xml") + "</Relationships>";
}

std::string PictureRelationship(int n) {
    return "rIdPicture" + std::to_string(n);
}

std::string PicturePartName(int n) {
    return "word/media/image" + std::to_string(n) + ".png";
}

std::string DocumentRelationshipsXml(int pictures) {
    std::string xml =
        std::string(kDeclaration) +
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">" +
        Relationship("rIdStyles", "styles", "styles.xml") +
        Relationship("rIdSettings", "settings", "settings.xml") +
        Relationship(kHeaderRelationship, "header", "header1.xml") +
        Relationship(kFooterRelationship, "footer", "footer1.xml");
    for (int n = 1; n <= pictures; ++n) {
        xml += Relationship(PictureRelationship(n), "image",
                            "media/image" + std::to_string(n) + ".png");
    }
    return xml + "</Relationships>";
}

std::string StylesXml() {
    const std::string tabs =
        "<w:tabs><w:tab w:val=\"center\" w:pos=\"" + std::to_string(kCentreTabTwips) +
        "\"/><w:tab w:val=\"right\" w:pos=\"" + std::to_string(kTextWidthTwips) + "\"/></w:tabs>";
    return std::string(kDeclaration) + "<w:styles" + std::string(kWordNamespaces) + ">" +
           "<w:docDefaults><w:rPrDefault><w:rPr><w:rFonts w:ascii=\"Times New Roman\""
           " w:hAnsi=\"Times New Roman\" w:eastAsia=\"Times New Roman\" w:cs=\"Times New Roman\"/>"
           "<w:sz w:val=\"24\"/><w:szCs w:val=\"24\"/><w:lang w:val=\"en-US\"/></w:rPr>"
           "</w:rPrDefault><w:pPrDefault><w:pPr><w:spacing w:after=\"0\" w:line=\"240\""
           " w:lineRule=\"auto\"/></w:pPr></w:pPrDefault></w:docDefaults>"
           "<w:style w:type=\"paragraph\" w:default=\"1\" w:styleId=\"Normal\">"
           "<w:name w:val=\"Normal\"/><w:qFormat/></w:style>"
           "<w:style w:type=\"character\" w:default=\"1\" w:styleId=\"DefaultParagraphFont\">"
           "<w:name w:val=\"Default Paragraph Font\"/><w:uiPriority w:val=\"1\"/><w:semiHidden/>"
           "</w:style>"
           "<w:style w:type=\"table\" w:default=\"1\" w:styleId=\"TableNormal\">"
           "<w:name w:val=\"Normal Table\"/><w:semiHidden/><w:tblPr><w:tblInd w:w=\"0\""
           " w:type=\"dxa\"/><w:tblCellMar><w:top w:w=\"0\" w:type=\"dxa\"/><w:left w:w=\"108\""
           " w:type=\"dxa\"/><w:bottom w:w=\"0\" w:type=\"dxa\"/><w:right w:w=\"108\""
           " w:type=\"dxa\"/></w:tblCellMar></w:tblPr></w:style>"
           "<w:style w:type=\"paragraph\" w:styleId=\"Header\"><w:name w:val=\"header\"/>"
           "<w:basedOn w:val=\"Normal\"/><w:pPr>" +
           tabs +
           "</w:pPr></w:style>"
           "<w:style w:type=\"paragraph\" w:styleId=\"Footer\"><w:name w:val=\"footer\"/>"
           "<w:basedOn w:val=\"Normal\"/><w:pPr>" +
           tabs +
           "</w:pPr></w:style>"
           "</w:styles>";
}

std::string SettingsXml() {
    return std::string(kDeclaration) + "<w:settings" + std::string(kWordNamespaces) + ">" +
           "<w:defaultTabStop w:val=\"720\"/><w:characterSpacingControl w:val=\"doNotCompress\"/>"
           "<w:compat><w:compatSetting w:name=\"compatibilityMode\""
           " w:uri=\"http://schemas.microsoft.com/office/word\" w:val=\"15\"/></w:compat>"
           "</w:settings>";
}

std::string CorePropertiesXml(std::string_view title) {
    return std::string(kDeclaration) +
           "<cp:coreProperties xmlns:cp=\"http://schemas.openxmlformats.org/package/2006/"
           "metadata/core-properties\" xmlns:dc=\"http://purl.org/dc/elements/1.1/\">"
           "<dc:title>" +
           XmlEscaped(title) +
           "</dc:title><dc:creator>Varnel</dc:creator>"
           "</cp:coreProperties>";
}

std::string AppPropertiesXml() {
    return std::string(kDeclaration) +
           "<Properties xmlns=\"http://schemas.openxmlformats.org/officeDocument/2006/"
           "extended-properties\"><Application>Varnel</Application></Properties>";
}

std::string HeaderXml(std::string_view title) {
    std::string xml = std::string(kDeclaration) + "<w:hdr" + std::string(kWordNamespaces) +
                      "><w:p><w:pPr><w:pStyle w:val=\"Header\"/>" +
                      std::string(kHeaderFooterParagraph) + "</w:pPr>";
    if (!title.empty()) {
        xml += "<w:r><w:rPr><w:b/><w:bCs/><w:sz w:val=\"" + std::to_string(kTitleHalfPoints) +
               "\"/><w:szCs w:val=\"" + std::to_string(kTitleHalfPoints) + "\"/></w:rPr>";
        AppendRunContent(xml, title);
        xml += "</w:r>";
    }
    return xml + "</w:p></w:hdr>";
}

std::string FooterXml(std::string_view footer) {
    return std::string(kDeclaration) + "<w:ftr" + std::string(kWordNamespaces) +
           "><w:p><w:pPr><w:pStyle w:val=\"Footer\"/>" + std::string(kHeaderFooterParagraph) +
           "</w:pPr>" + TextRun(footer) + "<w:r><w:tab/></w:r>" + TextRun("page ") + Field("PAGE") +
           TextRun(" / ") + Field("NUMPAGES") + "</w:p></w:ftr>";
}

}  // namespace vrn
