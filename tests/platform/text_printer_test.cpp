#include <QDir>
#include <QFile>
#include <QPrinterInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "model/file/safe_save_file.h"
#include "model/reports/report_printer.h"
#include "platform/testing/scripted_prompt.h"
#include "platform/text_printer.h"
#include "tests/support/file_size_limit.h"

namespace vrn::testing {
namespace {

using ::testing::HasSubstr;

constexpr rlim_t kFullDiskBytes = 1024;

// Plain text printed into the PDF file that Page Setup chose.
class TextPrinterFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        write(pdf(), "old print");
    }

    QString path(const char* name) const { return folder.filePath(QLatin1String(name)); }
    QString pdf() const { return path("directions.pdf"); }
    static PrinterChoice into(const QString& file) { return PrinterChoice{.outputFile = file}; }

    // The names in the test's folder, hidden ones and links included.
    QStringList names() const {
        return QDir(folder.path()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    }

    static void write(const QString& file, const QByteArray& bytes) {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }
    static QByteArray contents(const QString& file) {
        QFile in(file);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }

    // The text of a PDF file as pdftotext reads it; skips the test when the tool is missing.
    static std::optional<QString> pdfText(const QString& file) {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
            return std::nullopt;
        }
        QProcess process;
        process.start(QStringLiteral("pdftotext"), {file, QStringLiteral("-")});
        if (!process.waitForFinished() || process.exitCode() != 0) {
            return QString();
        }
        return QString::fromUtf8(process.readAllStandardOutput());
    }

    // What printing `text` into `file` threw; empty when it printed.
    std::string failureOf(const QString& text, const QString& file) {
        try {
            printPlainText(text, into(file), prompt);
        } catch (const PrinterError& error) {
            return error.what();
        }
        return {};
    }

    QTemporaryDir folder;
    // A file chosen in Page Setup asks nothing.
    ScriptedPrompt prompt;
};

#define VRN_PDF_TEXT(variable, file)                                                          \
    const std::optional<QString> variable = pdfText(file);                                    \
    if (!variable) {                                                                          \
        GTEST_SKIP() << "pdftotext is not installed (package poppler-utils); the PDF cannot " \
                        "be read back";                                                       \
    }

TEST_F(TextPrinterFileTest, TheTextReplacesThePreviousFileWhole) {
    printPlainText(QStringLiteral("Start at the roof.\nThen the walls."), into(pdf()), prompt);
    EXPECT_TRUE(prompt.questions().empty());
    EXPECT_TRUE(contents(pdf()).startsWith("%PDF-"));
    EXPECT_EQ(names(), QStringList{QStringLiteral("directions.pdf")});
    VRN_PDF_TEXT(text, pdf());
    EXPECT_TRUE(text->contains(QStringLiteral("Start at the roof.")) &&
                text->contains(QStringLiteral("Then the walls.")))
        << text->toStdString();
}

TEST_F(TextPrinterFileTest, ALinkStaysAndTheFileItNamesIsReplaced) {
    const QString link = path("link.pdf");
    ASSERT_TRUE(QFile::link(pdf(), link));
    printPlainText(QStringLiteral("Through the link"), into(link), prompt);
    EXPECT_TRUE(std::filesystem::is_symlink(link.toStdString()));
    EXPECT_EQ(names(), (QStringList{QStringLiteral("directions.pdf"), QStringLiteral("link.pdf")}));
    VRN_PDF_TEXT(text, pdf());
    EXPECT_TRUE(text->contains(QStringLiteral("Through the link"))) << text->toStdString();
}

TEST_F(TextPrinterFileTest, AFullDiskKeepsThePreviousFileAndSaysWhy) {
    std::string failure;
    {
        const FileSizeLimit full(kFullDiskBytes);
        failure = failureOf(QStringLiteral("Does not fit"), pdf());
    }
    EXPECT_THAT(failure, ::testing::StartsWith("The text could not be written to " +
                                               pdf().toStdString() + ": "));
    EXPECT_THAT(failure, HasSubstr(std::strerror(EFBIG)));
    EXPECT_EQ(contents(pdf()), QByteArray("old print"));
    EXPECT_EQ(names(), QStringList{QStringLiteral("directions.pdf")});
}

TEST_F(TextPrinterFileTest, AFileAnotherWriterHoldsIsLeftToIt) {
    SafeSaveFile other(pdf().toStdString());
    other.Write("the other writer's");
    const std::string failure = failureOf(QStringLiteral("Too late"), pdf());
    EXPECT_THAT(failure, HasSubstr(pdf().toStdString()));
    EXPECT_THAT(failure, HasSubstr(std::strerror(EBUSY)));
    EXPECT_EQ(contents(pdf()), QByteArray("old print"));
    other.Commit();  // its temporary file is still there
    EXPECT_EQ(contents(pdf()), QByteArray("the other writer's"));
    EXPECT_EQ(names(), QStringList{QStringLiteral("directions.pdf")});
}

TEST_F(TextPrinterFileTest, WithoutAnyPrinterThePrintDialogOffersAPdfFile) {
    if (!QPrinterInfo::defaultPrinterName().isEmpty()) {
        GTEST_SKIP() << "this system has a default printer";
    }
    // Nothing chosen, or a printer the system no longer has.
    for (const PrinterChoice& choice :
         {PrinterChoice{}, PrinterChoice{.printerName = QStringLiteral("No such printer")}}) {
        SCOPED_TRACE(choice.printerName.toStdString());
        ScriptedPrompt asked;
        asked.answerPrintToFile(pdf());
        printPlainText(QStringLiteral("Where the dialog said"), choice, asked);
        ASSERT_EQ(asked.questions().size(), 1U);
        EXPECT_EQ(asked.questions()[0].kind, ScriptedPrompt::Kind::Printer);
        EXPECT_TRUE(asked.problems().isEmpty()) << asked.problems().join(u'\n').toStdString();
        EXPECT_TRUE(contents(pdf()).startsWith("%PDF-"));
        EXPECT_EQ(names(), QStringList{QStringLiteral("directions.pdf")});
        VRN_PDF_TEXT(text, pdf());
        EXPECT_TRUE(text->contains(QStringLiteral("Where the dialog said"))) << text->toStdString();
        write(pdf(), "old print");
    }

    // Cancelled, it prints nothing and says nothing.
    ScriptedPrompt cancelled;
    cancelled.cancel();
    EXPECT_NO_THROW(printPlainText(QStringLiteral("Not wanted"), PrinterChoice{}, cancelled));
    EXPECT_EQ(cancelled.questions().size(), 1U);
    EXPECT_EQ(contents(pdf()), QByteArray("old print"));
}

}  // namespace
}  // namespace vrn::testing
