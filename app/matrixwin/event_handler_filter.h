#pragma once

#include <QObject>

#include <functional>
#include <utility>

namespace vrn {

// Hands the events of the objects it watches to a handler, which answers whether it took them.
// A window deletes it before it goes, so that no event reaches a window half gone.
class EventHandlerFilter : public QObject {
public:
    EventHandlerFilter(QObject* parent, std::function<bool(QObject*, QEvent*)> handler)
        : QObject(parent), handler_(std::move(handler)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override { return handler_(watched, event); }

private:
    std::function<bool(QObject*, QEvent*)> handler_;
};

}  // namespace vrn
