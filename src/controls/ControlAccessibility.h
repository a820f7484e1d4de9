#pragma once

#include <QString>

namespace padrix {

/// Makes the owner-drawn controls known to assistive technology (screen readers): a
/// LumoButton is a button with a name and a press action, a VantoVerticalScroll a scroll bar
/// with its value, a DriveControl a list of its entries. Installed once, by the first control.
void installControlAccessibility();

/// The name a screen reader gives a button: its caption, or for a caption that is a symbol or
/// a single letter ("+", "C") the tool tip without its closing dots, or a word for the symbol.
QString spokenButtonName(const QString& caption, const QString& toolTip);

/// "folder", "drive" or "file", for a kind of the drive list's entries.
QString driveEntryKindName(int kind);

} // namespace padrix
