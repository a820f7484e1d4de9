#pragma once

#include "mainwindow/ControlDesign.h"

#include <QObject>
#include <QString>
#include <QVector>

#include <functional>

class QWidget;

namespace padrix {

class LineEntry;
class LumoButton;
class TapeSession;
class TapeView;

/// The keypad CalC_Button and the Pi key PieValue: digits at the remembered caret, sign,
/// percent, delete, clear and the operators, all acting on the current row.
class Keypad : public QObject {
    Q_OBJECT

public:
    Keypad(QWidget* interior, const DesignScale& scale, TapeView& view, LineEntry& entry,
           TapeSession& session);

    /// A digit key during a game goes to `shoot` and nothing else acts, while `playing` says
    /// a game (or its end) holds the keys.
    void setGame(std::function<bool()> playing, std::function<void(int digit)> shoot) {
        m_playing = std::move(playing);
        m_shoot = std::move(shoot);
    }
    /// Clear All, which the window does for the whole window.
    void setClearAll(std::function<void()> clearAll) { m_clearAll = std::move(clearAll); }

    QVector<LumoButton*> CalC_Button;
    LumoButton* PieValue = nullptr;

private:
    void CalC_Button_Click(int Index);
    void PieValue_Click();
    void keypadDigit(int Index);
    void keypadPercent();
    void keypadSign();
    void keypadDelete();
    void keypadClear();

    TapeView& m_view;
    LineEntry& m_entry;
    TapeSession& m_session;
    QString m_decimal; // the locale's decimal separator
    std::function<bool()> m_playing;
    std::function<void(int)> m_shoot;
    std::function<void()> m_clearAll;
};

} // namespace padrix
