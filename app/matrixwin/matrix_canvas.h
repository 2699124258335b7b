#pragma once

#include <QColor>
#include <QWidget>

#include <functional>
#include <utility>
#include <vector>

namespace vrn {

class ScenePaintable;

// Many controls of one kind that the canvas keeps in one place of its order, as one: a window's
// interaction cells, hundreds of thousands of them, which keep for themselves which of them show.
class SceneControlGroup {
public:
    virtual ~SceneControlGroup() = default;
    // Visits every control of the group that shows and may meet `area` (canvas pixels, edges
    // included), back to front.
    virtual void VisitShown(const QRectF& area,
                            const std::function<void(ScenePaintable&)>& visit) const = 0;
};

// The surface the matrix window draws on: one widget that paints every control the document
// was handed, back to front, instead of a widget or an item per control. Moving a control only
// changes numbers; one repaint follows however many controls changed.
class MatrixCanvas : public QWidget {
    Q_OBJECT
public:
    explicit MatrixCanvas(QWidget* parent = nullptr);

    // Adds a control, hidden, on top of those of its level (level 0, where every control starts).
    void add(ScenePaintable& control);
    void remove(ScenePaintable& control);
    // Adds a group of controls on top of what level 0 holds so far; its controls show and hide
    // through show() without a place of their own.
    void addGroup(SceneControlGroup& group);
    void removeGroup(SceneControlGroup& group);
    // Shows or hides a control.
    void show(ScenePaintable& control, bool shown);
    // Moves a control to the level `z`: lower levels draw first.
    void restack(ScenePaintable& control, qreal z);
    // Something shown changed: the canvas repaints once the present work is done.
    void changed() {
        if (!repaintDue_) {
            repaintDue_ = true;
            update();
        }
    }

    void setBackground(const QColor& color);
    // The topmost shown control at `pixel`, or none.
    ScenePaintable* controlAt(const QPointF& pixel) const;
    // Every shown control that meets `area`, back to front.
    std::vector<ScenePaintable*> controlsIn(const QRectF& area) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    // Visits the controls that show, back to front; a group's only where they may meet `area`.
    template <class Visit>
    void backToFront(const QRectF& area, Visit&& visit) const;

    // Level 0, in the order the controls came, with a gap where one left; beside it, which of
    // them are shown, so that a repaint passes over the hidden ones without touching them.
    std::vector<ScenePaintable*> plain_;
    std::vector<unsigned char> plainShown_;
    // The groups, each with the place in plain_ it comes before.
    std::vector<std::pair<std::size_t, SceneControlGroup*>> groups_;
    // The few controls of other levels, by level.
    std::vector<std::pair<qreal, ScenePaintable*>> stacked_;
    QColor background_;
    bool repaintDue_ = false;
};

}  // namespace vrn
