#include "platform/user_text.h"

#include <QApplication>
#include <QClipboard>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

// A user's text in the program's widgets: a one-line box takes it whole, and where it is shown
// it is shortened in one way, measuring no more of it than can show.

namespace vrn {
namespace {

QString words(qsizetype length) {
    return QStringLiteral("word ").repeated(length / 5 + 1).left(length);
}

TEST(UserText, ABoxKeepsTextsLongerThanTheWidgetsOwnLimitWhole) {
    const QString given = words(50000);
    QLineEdit plain;
    plain.setText(given);
    ASSERT_LT(plain.text().size(), given.size()) << "the widget's own limit is gone";

    QLineEdit box;
    keepWholeText(box);
    box.setText(given);
    EXPECT_EQ(box.text(), given);
    // Typed and pasted beyond it.
    QTest::keyClick(&box, Qt::Key_End);
    QTest::keyClicks(&box, "typed");
    QGuiApplication::clipboard()->setText(given);
    box.paste();
    EXPECT_EQ(box.text(), given + "typed" + given);
}

TEST(UserText, ALineIsShortenedAtItsStartToTheWidthWithOneEllipsis) {
    const QFontMetricsF metrics(QApplication::font());
    const qreal width = metrics.averageCharWidth() * 30;
    struct Case {
        const char* name;
        QString text;
        bool goesOn;
        bool whole;
    };
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
    const Case cases[] = {
        {"a short text", "Walls", false, true},
        {"a short text with more to follow", "Walls", true, false},
        {"a text of words", words(1000), false, false},
        {"a text of 50,000 characters in one word", QString(50000, u'x'), false, false},
        {"characters of two halves", emoji.repeated(200), false, false},
        // Qt reads U+009C as the start of another variant of the text; a user's is a character.
        {"a text with U+009C", QStringLiteral("ab\u009Ccd"), false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString shown = elidedLine(metrics, c.text, width, c.goesOn);
        if (c.whole) {
            EXPECT_EQ(shown, c.text);
            continue;
        }
        ASSERT_TRUE(shown.endsWith(kEllipsisChar)) << shown.toStdString();
        const QString start = shown.chopped(1);
        EXPECT_TRUE(c.text.startsWith(start));
        EXPECT_FALSE(start.endsWith(u' '));
        EXPECT_FALSE(!start.isEmpty() && start.back().isHighSurrogate());
        EXPECT_LE(metrics.horizontalAdvance(shown), width);
    }
}

TEST(UserText, ATextIsFittedToRowsAndShortenedOnlyWhenItDoesNotFit) {
    const QFont font = QApplication::font();
    const QFontMetricsF metrics(font);
    const TextRoom room{metrics.averageCharWidth() * 40, 4};

    const QString lines = QStringLiteral("First line\r\nsecond\rthird");
    const FittedText asGiven = fitText(lines, font, room);
    EXPECT_EQ(asGiven.text, lines);
    EXPECT_FALSE(asGiven.shortened);

    for (const QString& text : {words(50000), QString(50000, u'x')}) {
        const FittedText fitted = fitText(text, font, room);
        EXPECT_TRUE(fitted.shortened);
        const QStringList rows = fitted.text.split(u'\n');
        EXPECT_EQ(rows.size(), room.rows);
        for (const QString& row : rows) {
            EXPECT_LE(metrics.horizontalAdvance(row), room.width);
        }
        EXPECT_TRUE(rows.back().endsWith(kEllipsisChar));
    }

    // A label shows the rows, and the whole text in its tool tip.
    QLabel label;
    showFittedText(label, QStringLiteral("<b>") + words(50000), 3);
    EXPECT_EQ(label.textFormat(), Qt::PlainText);
    EXPECT_EQ(label.text().count(u'\n'), 2);
    EXPECT_TRUE(label.text().startsWith(QStringLiteral("<b>word")));
    EXPECT_TRUE(label.toolTip().contains(QStringLiteral("&lt;b&gt;word")));
    showFittedText(label, QStringLiteral("Walls"), 3);
    EXPECT_EQ(label.text(), QStringLiteral("Walls"));
    EXPECT_TRUE(label.toolTip().isEmpty());
}

}  // namespace
}  // namespace vrn
