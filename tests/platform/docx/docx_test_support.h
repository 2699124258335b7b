#pragma once

#include <unistd.h>

#include <QBuffer>
#include <QImage>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

namespace vrn::testing {

// A folder of the test's own, removed afterwards.
class ScratchFolder {
public:
    ScratchFolder() {
        path_ = std::filesystem::temp_directory_path() /
                ("vrn-docx-test-" + std::to_string(::getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() { std::filesystem::remove_all(path_); }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

    // Names of the files in the folder.
    std::vector<std::string> names() const {
        std::vector<std::string> found;
        for (const auto& entry : std::filesystem::directory_iterator(path_)) {
            found.push_back(entry.path().filename().string());
        }
        std::sort(found.begin(), found.end());
        return found;
    }

private:
    std::filesystem::path path_;
};

// A PNG picture of `width` by `height` pixels: blue with a red band across the middle.
inline std::string PngPicture(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(40, 80, 200));
    for (int y = height / 3; y < 2 * height / 3; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y, qRgb(220, 30, 30));
        }
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes.toStdString();
}

}  // namespace vrn::testing
