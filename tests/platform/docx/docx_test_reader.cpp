#include "tests/platform/docx/docx_test_reader.h"

#include <zip.h>

#include <QXmlStreamReader>
#include <memory>
#include <stdexcept>

namespace vrn::testing {

namespace {

std::string Attribute(const QXmlStreamReader& xml, const char* name) {
    return xml.attributes().value(QString::fromLatin1(name)).toString().toStdString();
}

bool OnValue(const QXmlStreamReader& xml) {
    const std::string value = Attribute(xml, "w:val");
    return value.empty() || (value != "0" && value != "false");
}

}  // namespace

std::string DocxParagraph::text() const {
    std::string all;
    for (const auto& run : runs) {
        all += run.text;
    }
    return all;
}

bool DocxParagraph::hasPageBreak() const {
    for (const auto& run : runs) {
        if (run.pageBreak) {
            return true;
        }
    }
    return false;
}

DocxFile::DocxFile(const std::filesystem::path& path) {
    int error = 0;
    std::unique_ptr<zip_t, decltype(&zip_discard)> archive(
        zip_open(path.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &error), &zip_discard);
    if (!archive) {
        throw std::runtime_error("not a zip file: " + path.string());
    }
    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t stat;
        zip_stat_index(archive.get(), static_cast<zip_uint64_t>(i), 0, &stat);
        std::string bytes(stat.size, '\0');
        std::unique_ptr<zip_file_t, decltype(&zip_fclose)> file(
            zip_fopen_index(archive.get(), static_cast<zip_uint64_t>(i), 0), &zip_fclose);
        if (!file ||
            zip_fread(file.get(), bytes.data(), stat.size) != static_cast<zip_int64_t>(stat.size)) {
            throw std::runtime_error(std::string("cannot read ") + stat.name);
        }
        parts_[stat.name] = std::move(bytes);
    }
}

std::string DocxFile::part(const std::string& name) const {
    const auto found = parts_.find(name);
    return found == parts_.end() ? std::string() : found->second;
}

std::vector<DocxBlock> DocxFile::blocks(const std::string& name) const {
    const std::string bytes = part(name);
    QXmlStreamReader xml(QByteArray::fromRawData(bytes.data(), static_cast<int>(bytes.size())));
    std::vector<DocxBlock> blocks;
    std::unique_ptr<DocxTable> table;
    DocxCell* cell = nullptr;
    DocxParagraph paragraph;
    DocxRun run;
    bool inParagraphProperties = false;
    bool inRun = false;
    int tableDepth = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        const std::string tag = xml.qualifiedName().toString().toStdString();
        if (xml.isStartElement()) {
            if (tag == "w:tbl" && ++tableDepth == 1) {
                table = std::make_unique<DocxTable>();
            } else if (tag == "w:tblW" && table) {
                table->width = std::stoi(Attribute(xml, "w:w"));
            } else if (tag == "w:gridCol" && table) {
                table->grid.push_back(std::stoi(Attribute(xml, "w:w")));
            } else if (tag == "w:tr" && table) {
                table->rows.emplace_back();
                table->rowsCantSplit.push_back(false);
            } else if (tag == "w:cantSplit" && table) {
                table->rowsCantSplit.back() = OnValue(xml);
            } else if (tag == "w:tc" && table) {
                table->rows.back().emplace_back();
                cell = &table->rows.back().back();
            } else if (tag == "w:tcW" && cell) {
                cell->width = std::stoi(Attribute(xml, "w:w"));
            } else if (tag == "w:vMerge" && cell) {
                const std::string value = Attribute(xml, "w:val");
                cell->merge = value.empty() ? "continue" : value;
            } else if (tag == "w:vAlign" && cell) {
                cell->verticalAlignment = Attribute(xml, "w:val");
            } else if (tag == "w:p") {
                paragraph = {};
            } else if (tag == "w:pPr") {
                inParagraphProperties = true;
            } else if (tag == "w:ind" && inParagraphProperties) {
                const std::string left = Attribute(xml, "w:left");
                paragraph.indent = left.empty() ? 0 : std::stoi(left);
            } else if (tag == "w:keepNext" && inParagraphProperties) {
                paragraph.keepWithNext = OnValue(xml);
            } else if (tag == "w:jc" && inParagraphProperties) {
                paragraph.alignment = Attribute(xml, "w:val");
            } else if (tag == "w:r") {
                run = {};
                inRun = true;
            } else if (tag == "w:b") {
                (inRun ? run.bold : paragraph.markBold) = OnValue(xml);
            } else if (tag == "w:sz") {
                (inRun ? run.halfPoints : paragraph.markHalfPoints) =
                    std::stoi(Attribute(xml, "w:val"));
            } else if (tag == "w:shadow" && inRun) {
                run.shadow = OnValue(xml);
            } else if (tag == "w:color" && inRun) {
                run.colour = Attribute(xml, "w:val");
            } else if (tag == "w:t" && inRun) {
                run.text += xml.readElementText().toStdString();
            } else if (tag == "w:tab" && inRun) {
                run.text += "\t";
            } else if (tag == "w:br" && inRun) {
                if (Attribute(xml, "w:type") == "page") {
                    run.pageBreak = true;
                } else {
                    run.text += "\n";
                }
            } else if (tag == "w:instrText") {
                paragraph.fieldInstructions.push_back(xml.readElementText().toStdString());
            } else if (tag == "a:blip" && inRun) {
                run.pictureRelationship = Attribute(xml, "r:embed");
            }
        } else if (xml.isEndElement()) {
            if (tag == "w:pPr") {
                inParagraphProperties = false;
            } else if (tag == "w:r") {
                paragraph.runs.push_back(run);
                inRun = false;
            } else if (tag == "w:p") {
                if (cell != nullptr) {
                    cell->paragraphs.push_back(paragraph);
                } else {
                    blocks.push_back({false, paragraph, {}});
                }
            } else if (tag == "w:tc") {
                cell = nullptr;
            } else if (tag == "w:tbl" && --tableDepth == 0) {
                blocks.push_back({true, {}, *table});
                table.reset();
            }
        }
    }
    if (xml.hasError()) {
        throw std::runtime_error(name + ": " + xml.errorString().toStdString());
    }
    return blocks;
}

std::vector<DocxParagraph> DocxFile::bodyParagraphs() const {
    std::vector<DocxParagraph> paragraphs;
    for (const auto& block : blocks("word/document.xml")) {
        if (!block.isTable) {
            paragraphs.push_back(block.paragraph);
        }
    }
    return paragraphs;
}

std::vector<DocxTable> DocxFile::tables() const {
    std::vector<DocxTable> found;
    for (const auto& block : blocks("word/document.xml")) {
        if (block.isTable) {
            found.push_back(block.table);
        }
    }
    return found;
}

std::map<std::string, std::string> DocxFile::relationships(const std::string& name) const {
    const std::string bytes = part(name);
    QXmlStreamReader xml(QByteArray::fromRawData(bytes.data(), static_cast<int>(bytes.size())));
    std::map<std::string, std::string> found;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement &&
            xml.name() == QLatin1String("Relationship")) {
            std::string type = Attribute(xml, "Type");
            type = type.substr(type.rfind('/') + 1);
            found[Attribute(xml, "Id")] = type + "|" + Attribute(xml, "Target");
        }
    }
    return found;
}

std::string XmlError(const std::string& bytes) {
    QXmlStreamReader xml(QByteArray::fromRawData(bytes.data(), static_cast<int>(bytes.size())));
    while (!xml.atEnd()) {
        xml.readNext();
    }
    return xml.hasError()
               ? xml.errorString().toStdString() + " at line " + std::to_string(xml.lineNumber())
               : std::string();
}

}  // namespace vrn::testing
