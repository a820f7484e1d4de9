#pragma once

#include "controls/LumoButton.h"
#include "mainwindow/TapeView.h"
#include "session/TapeSession.h"

namespace padrix {

/// One action of the user, from a key, a click or a menu item: the session's changes within
/// its scope are one step of the undo history, shown where the view stood before and after.
class UserAction {
public:
    UserAction(TapeSession& session, const TapeView& view, bool typing = false)
        : m_session(session), m_view(view), m_typing(typing) {
        m_session.beginAction(m_view.position());
    }
    ~UserAction() { m_session.endAction(m_view.position(), m_typing); }
    UserAction(const UserAction&) = delete;
    UserAction& operator=(const UserAction&) = delete;

private:
    TapeSession& m_session;
    const TapeView& m_view;
    bool m_typing;
};

/// Makes every press of `key` one action of the user that calls `handler`: a click, and the
/// second click of a quick pair too, which is a press of the key and not a lost one.
template <class Handler>
void onPress(LumoButton* key, QObject* context, TapeSession& session, const TapeView& view,
             Handler handler) {
    const auto press = [&session, &view, handler] {
        const UserAction action(session, view);
        handler();
    };
    QObject::connect(key, &LumoButton::Click, context, press);
    QObject::connect(key, &LumoButton::DblClick, context, press);
}

} // namespace padrix
