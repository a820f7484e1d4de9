// The tape journal in the window: the question after an unclean end, "Restore Last Tape" and
// "Keep Tape Journal".
#include "mainwindow/TapeKeeping.h"

#include "core/Recalculation.h"
#include "mainwindow/Menus.h"
#include "mainwindow/TapeView.h"
#include "mainwindow/UserAction.h"
#include "session/TapeSession.h"

#include <QDateTime>
#include <QLocale>
#include <QMessageBox>
#include <QTextStream>
#include <QTimer>
#include <QWidget>

namespace padrix {

TapeKeeping::TapeKeeping(QWidget& window, TapeView& view, TapeSession& session, Menus& menus,
                         QString folder, bool& keep)
    : QObject(&window), m_window(window), m_view(view), m_session(session), m_menus(menus),
      m_folder(std::move(folder)), m_keep(keep) {
    m_menus.connect(MenuCommand::RestoreLastTape, [this](int) {
        if (auto last = readJournalFile(m_lastTape))
            restore(std::move(last->tape));
    });
    m_menus.connect(MenuCommand::KeepJournal, [this](int) { setKeep(!m_keep); });
    m_menus.setEnabled(MenuCommand::RestoreLastTape, false);
    m_menus.setEnabled(MenuCommand::KeepJournal, !m_folder.isEmpty());
    m_menus.setChecked(MenuCommand::KeepJournal, !m_folder.isEmpty() && m_keep);
    if (m_folder.isEmpty())
        m_menus.setTip(MenuCommand::KeepJournal, tr("The journal is turned off (PADRIX_JOURNAL)."));
}

TapeKeeping::~TapeKeeping() = default;

TapeJournal* TapeKeeping::journal() const {
    return m_journal && m_journal->isOn() ? m_journal.get() : nullptr;
}

void TapeKeeping::start() {
    if (m_folder.isEmpty())
        return;
    m_menus.setChecked(MenuCommand::KeepJournal, m_keep); // as the settings file says
    m_journal = std::make_unique<TapeJournal>(m_folder);
    std::vector<LostTape> lost;
    if (m_keep) {
        lost = m_journal->takeLostTapes();
        startJournal();
    }
    showLastTape();
    if (!lost.empty())
        QTimer::singleShot(0, this,
                           [this, lost = std::move(lost)]() mutable { ask(std::move(lost)); });
}

void TapeKeeping::startJournal() {
    connect(m_journal.get(), &TapeJournal::stopped, this, [this](const QString& note) {
        // One quiet word: on standard error and as the menu item's tip.
        QTextStream(stderr) << "padrix-calculator: " << note << Qt::endl;
        m_menus.setTip(MenuCommand::KeepJournal, note);
    });
    m_journal->start(m_session);
}

void TapeKeeping::close() {
    if (m_journal)
        m_journal->close();
}

void TapeKeeping::ask(std::vector<LostTape> lost) {
    // Newest first; after a Yes the older ones are set aside with the rest.
    bool restored = false;
    for (LostTape& tape : lost) {
        if (!restored) {
            RecalcSettings settings;
            settings.buttons = &m_session.buttons();
            settings.locale = m_session.locale();
            const QString total =
                QString::fromStdString(MailCalc(tape.content.tape, settings).text);
            const QString when = QLocale().toString(
                QDateTime::fromMSecsSinceEpoch(tape.content.time), QLocale::ShortFormat);
            const QString question =
                tr("The calculator did not close normally. Restore the tape from %1 "
                   "(%2 lines, total %3)?")
                    .arg(when)
                    .arg(tape.content.tape.linesWithValues())
                    .arg(total);
            if (QMessageBox::question(&m_window, m_window.windowTitle(), question) ==
                QMessageBox::Yes) {
                restored = true;
                m_journal->settle(tape, true);
                const UserAction action(m_session, m_view);
                restore(std::move(tape.content.tape));
                continue;
            }
        }
        m_journal->settle(tape, false);
    }
    showLastTape();
}

void TapeKeeping::restore(Tape tape) {
    m_session.restore(std::move(tape));
    m_view.clearRows();
    m_view.showFrom(0);
}

void TapeKeeping::showLastTape() {
    m_lastTape = m_journal ? m_journal->lastTape() : QString();
    m_menus.setEnabled(MenuCommand::RestoreLastTape, !m_lastTape.isEmpty());
}

void TapeKeeping::setKeep(bool keep) {
    m_keep = keep;
    m_menus.setChecked(MenuCommand::KeepJournal, keep);
    if (!keep && m_journal) {
        m_journal->close(); // the tape so far becomes the last tape
        showLastTape();
    } else if (keep && !m_folder.isEmpty()) {
        m_journal = std::make_unique<TapeJournal>(m_folder);
        startJournal();
    }
}

} // namespace padrix
