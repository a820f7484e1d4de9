#pragma once

#include <QEvent>
#include <QObject>
#include <QPointer>

#include <functional>
#include <utility>

namespace padrix {

/// Hands the events of one widget to a function, made where the widget is made, so that the
/// function knows which control it serves; true from the function takes the event. The relay
/// serves only while `owner`, whose state the function uses, lives: a widget still sends
/// events (losing the focus) while the window is taken apart.
class EventRelay : public QObject {
public:
    EventRelay(QObject* watched, QObject* owner, std::function<bool(QEvent*)> handler)
        : QObject(watched), m_owner(owner), m_handler(std::move(handler)) {
        watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        return m_owner != nullptr && m_handler(event);
    }

private:
    QPointer<QObject> m_owner;
    std::function<bool(QEvent*)> m_handler;
};

} // namespace padrix
