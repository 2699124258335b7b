#pragma once

#include "platform/cell_look.h"

#include <QAbstractButton>
#include <QtGlobal>

namespace vrn {

// The cell control: a push button that shows a matrix cell's look. Its properties carry the
// names the program sets on a cell; position and size are twips, the back colour an OLE colour,
// the font size points. Value is the pressed state.
//
// Setters refuse what the control cannot show (a negative or huge size, a font size outside
// 1 to 2160 points, an orientation other than 0 or 3) with std::invalid_argument and keep the
// old value, so a caller can put a valid value back.
class CellButton : public QAbstractButton {
    Q_OBJECT
public:
    // Largest length in twips: far beyond any screen, still well inside a widget's pixel range.
    static constexpr double kMaxTwips = 1.0e7;
    static constexpr double kMaxFontSize = 2160.0;

    explicit CellButton(QWidget* parent = nullptr);
    CellButton(const QString& text, QWidget* parent);

    // A cell shows its text as written: an "&" is a plain character and makes no keyboard
    // shortcut, so a practice named "&File" cannot take the File menu's key.
    QString text() const { return look_.text; }
    void setText(const QString& text);

    double left() const { return left_; }
    void setLeft(double twips);
    double top() const { return top_; }
    void setTop(double twips);
    // Width and Height of the cell in twips (QWidget's width() and height() stay pixels).
    double cellWidth() const { return width_; }
    void setCellWidth(double twips);
    double cellHeight() const { return height_; }
    void setCellHeight(double twips);

    qint32 backColor() const { return backColor_; }
    void setBackColor(qint32 oleColor);
    int cellOrientation() const { return look_.cellOrientation; }
    void setCellOrientation(int orientation);

    double fontSize() const { return look_.fontSize; }
    void setFontSize(double points);
    bool fontBold() const { return look_.fontBold; }
    void setFontBold(bool bold);
    bool fontItalic() const { return look_.fontItalic; }
    void setFontItalic(bool italic);
    bool fontUnderline() const { return look_.fontUnderline; }
    void setFontUnderline(bool underline);

    bool value() const { return isDown(); }
    void setValue(bool pressed) { setDown(pressed); }

    // Everything the painter needs, with the back colour resolved against this palette.
    CellLook look() const;

    QSize sizeHint() const override;

protected:
    // A text shortened to fit the cell shows whole in its tool tip (unless one is set).
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    double checkedLength(double twips) const;
    void applyGeometry();

    double left_ = 0;
    double top_ = 0;
    double width_ = 1200;
    double height_ = 375;
    qint32 backColor_;
    CellLook look_;
};

}  // namespace vrn
