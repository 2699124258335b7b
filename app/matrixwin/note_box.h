#pragma once

#include "app/matrixwin/kept_text_box.h"

#include <QGroupBox>

#include <cstdint>
#include <optional>

class QFrame;
class QPushButton;

namespace vrn {

// The floating box over the matrix that shows the note of one practice or interaction: its text
// (editable, kept as the dialogs keep theirs), a button to its discussion link and a swatch of its
// colour. The user drags it by its frame. Positions are pixels within the matrix window.
class NoteBox : public QGroupBox {
    Q_OBJECT
public:
    explicit NoteBox(QWidget* parent);

    KeptTextEdit& txtNoteBox() const { return *text_; }
    QPushButton& btnDiscussion() const { return *discussion_; }
    QFrame& pnlColorPanel() const { return *colorPanel_; }

    // The box's own tag: the cell it belongs to, as decimal text; empty for none.
    QString Tag;
    // The discussion link the button opens.
    const QString& discussionLink() const { return discussionLink_; }

    void showNote(const QString& caption, const QString& description, const QString& discussion,
                  std::int32_t color, int fontsize, int alignment);
    // Hands on an edit of the text that was not left yet, as leaving the text would.
    void commitNote();

signals:
    // The text was edited and then left (or committed): the note's new description.
    void noteEdited(const QString& text);
    void discussionClicked(const QString& link);
    // The user dropped the box at `topLeft` (pixels within the parent).
    void dropped(const QPoint& topLeft);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    KeptTextEdit* text_;
    QPushButton* discussion_;
    QFrame* colorPanel_;
    QString discussionLink_;
    bool changed_ = false;
    bool loading_ = false;
    std::optional<QPoint> grab_;
};

}  // namespace vrn
