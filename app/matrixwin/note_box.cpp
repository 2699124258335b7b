#include "app/matrixwin/note_box.h"

#include "app/common/literal_text.h"
#include "platform/ole_color.h"

#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>

namespace vrn {

namespace {

// The box's design size: 200 by 120 pixels.
constexpr QSize kDesignSize(200, 120);
constexpr int kSwatchSide = 14;
// Shorter discussions are no link worth a button.
constexpr int kShortestDiscussion = 3;

Qt::Alignment captionAlignment(int alignment) {
    switch (alignment) {
        case 1:
            return Qt::AlignRight;
        case 2:
            return Qt::AlignHCenter;
        default:
            return Qt::AlignLeft;
    }
}

}  // namespace

NoteBox::NoteBox(QWidget* parent)
    : QGroupBox(QStringLiteral("Interaction"), parent),
      text_(new KeptTextEdit(this)),
      discussion_(new QPushButton(QStringLiteral("Discussion"), this)),
      colorPanel_(new QFrame(this)) {
    setObjectName(QStringLiteral("FrameNoteBox"));
    text_->setObjectName(QStringLiteral("txtNoteBox"));
    discussion_->setObjectName(QStringLiteral("btnDiscussion"));
    discussion_->setAutoDefault(false);
    colorPanel_->setObjectName(QStringLiteral("pnlColorPanel"));
    colorPanel_->setFixedSize(kSwatchSide, kSwatchSide);
    colorPanel_->setFrameShape(QFrame::Box);
    colorPanel_->setAutoFillBackground(true);
    setAutoFillBackground(true);
    setCursor(Qt::SizeAllCursor);
    text_->setCursor(Qt::IBeamCursor);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(text_, 0, 0, 1, 2);
    layout->addWidget(colorPanel_, 1, 0, Qt::AlignLeft);
    layout->addWidget(discussion_, 1, 1, Qt::AlignRight);
    resize(kDesignSize);
    hide();

    connect(text_, &QPlainTextEdit::textChanged, this, [this] {
        if (!loading_) {
            changed_ = true;
        }
    });
    text_->installEventFilter(this);
    connect(discussion_, &QPushButton::clicked, this,
            [this] { emit discussionClicked(discussionLink()); });
}

void NoteBox::showNote(const QString& caption, const QString& description,
                       const QString& discussion, std::int32_t color, int fontsize, int alignment) {
    loading_ = true;
    text_->setKeptText(description.toStdString());
    loading_ = false;
    changed_ = false;
    const bool hasDiscussion = discussion.size() >= kShortestDiscussion;
    discussionLink_ = hasDiscussion ? discussion : QString();
    discussion_->setVisible(hasDiscussion);
    if (fontsize > 0) {
        QFont boxFont = font();
        boxFont.setPointSize(fontsize);
        setFont(boxFont);
        text_->setFont(boxFont);
    }
    setTitle(literalAmpersands(caption));
    QPalette swatch = colorPanel_->palette();
    swatch.setColor(QPalette::Window, colorFromOle(color));
    colorPanel_->setPalette(swatch);
    setAlignment(captionAlignment(alignment));
    raise();
    show();
}

void NoteBox::commitNote() {
    if (changed_) {
        changed_ = false;
        emit noteEdited(QString::fromStdString(text_->keptText()));
    }
}

bool NoteBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == text_ && event->type() == QEvent::FocusOut) {
        commitNote();
    }
    return QGroupBox::eventFilter(watched, event);
}

void NoteBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        grab_ = event->position().toPoint();
    }
    QGroupBox::mousePressEvent(event);
}

void NoteBox::mouseMoveEvent(QMouseEvent* event) {
    if (grab_) {
        move(mapToParent(event->position().toPoint()) - *grab_);
    }
    QGroupBox::mouseMoveEvent(event);
}

void NoteBox::mouseReleaseEvent(QMouseEvent* event) {
    if (grab_ && event->button() == Qt::LeftButton) {
        const QPoint topLeft = mapToParent(event->position().toPoint()) - *grab_;
        grab_.reset();
        emit dropped(topLeft);
    }
    QGroupBox::mouseReleaseEvent(event);
}

}  // namespace vrn
