#pragma once

#include <QString>

class QLabel;

namespace padrix {

/// Makes the owner-drawn controls known to assistive technology (screen readers): a
/// LumoButton is a button with a name and a press action, a VantoVerticalScroll a scroll bar
/// with its value, a DriveControl a list of its entries. Installed once, by the first control.
void installControlAccessibility();

/// The name a screen reader gives a button: its caption, or for a caption that is a symbol or
/// a single letter ("+", "C") the tool tip without its closing dots, or a word for the symbol.
QString spokenButtonName(const QString& caption, const QString& toolTip);

/// Makes a label that shows a value (the memory) readable by a screen reader: named for what
/// it holds, its text read through the text interface, each change announced. Called before
/// the label is given a text: that already makes its interface where accessibility is on.
void makeReadableLabel(QLabel* label, const QString& name);

/// Shows a new text in a readable label and announces the change.
void setReadableText(QLabel* label, const QString& text);

/// "folder", "drive" or "file", for a kind of the drive list's entries.
QString driveEntryKindName(int kind);

} // namespace padrix
