#include "model/file/matrix_header.h"

#include "model/file/matrix_file_reader.h"
#include "model/vrn_matrix.h"

namespace vrn {

void WindowSettings::ApplyTo(MatrixWindow* window, MainView* mainWindow) const {
    if (window != nullptr) {
        window->setHeight(static_cast<float>(height));
        window->setWidth(static_cast<float>(width));
    }
    if (mainWindow != nullptr) {
        for (std::size_t i = 0; i < std::size(kStoredViewMarks); ++i) {
            mainWindow->setChecked(kStoredViewMarks[i].mark, marks[i]);
        }
    }
}

void ReadMatrixHeader(MatrixFileReader& file, VRN_Matrix& document, WindowSettings& settings) {
    document.Key = file.ReadFileLong("BEGIN Matrix");
    document.title = file.ReadFile("Title");
    document.Authors = file.ReadFile("Authors");
    document.Assignment = file.ReadFile("Assignment");
    document.Modified = file.ReadFile("Modified");
    document.Sources = file.ReadFile("Sources");
    document.Review = file.ReadFile("Review");
    document.Distribution = file.ReadFile("Documentation");
    document.locked = file.ReadFileBoolean("Locked");
    document.Locktype = file.ReadFile("Locktype");
    document.Keyvalue = file.ReadFile("Keyvalue");
    document.footer = file.ReadFile("Footer");
    document.Directions = file.ReadFile("Directions");
    document.Description = file.ReadFile("Description");
    settings.height = file.ReadFileLong("FormHeight");
    settings.width = file.ReadFileLong("FormWidth");
    for (std::size_t i = 0; i < std::size(kStoredViewMarks); ++i) {
        settings.marks[i] = file.ReadFileBoolean(kStoredViewMarks[i].tag);
    }
    document.VRN_PracticeGrpHeight = static_cast<float>(file.ReadFileLong("PracticeGroupHeight"));
    document.VRN_PracticeWidth = static_cast<float>(file.ReadFileLong("PracticeWidth"));
    document.VRN_PracticeHeight = static_cast<float>(file.ReadFileLong("PracticeHeight"));
}

}  // namespace vrn
