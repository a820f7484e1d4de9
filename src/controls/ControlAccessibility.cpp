#include "controls/ControlAccessibility.h"

#include "controls/DriveControl.h"
#include "controls/DriveListing.h"
#include "controls/LumoButton.h"
#include "controls/VantoVerticalScroll.h"

#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QLabel>

#include <map>
#include <mutex>

namespace padrix {

QString spokenButtonName(const QString& caption, const QString& toolTip) {
    const bool spoken = caption.size() > 1 && std::any_of(caption.begin(), caption.end(),
                                                          [](QChar c) { return c.isLetter(); });
    if (spoken || (caption.size() == 1 && caption[0].isDigit()))
        return caption;
    QString tip = toolTip.trimmed();
    while (tip.endsWith(QLatin1Char('.')))
        tip.chop(1);
    if (!tip.isEmpty())
        return tip;
    static const std::map<QString, const char*> words = {
        {"+", QT_TRANSLATE_NOOP("padrix::ControlAccessibility", "Addition")},
        {"-", QT_TRANSLATE_NOOP("padrix::ControlAccessibility", "Subtraction")},
        {"x", QT_TRANSLATE_NOOP("padrix::ControlAccessibility", "Multiplication")},
        {"/", QT_TRANSLATE_NOOP("padrix::ControlAccessibility", "Division")},
        {"^", QT_TRANSLATE_NOOP("padrix::ControlAccessibility", "Power")},
        {"%", QT_TRANSLATE_NOOP("padrix::ControlAccessibility", "Percent")},
        {"+/-", QT_TRANSLATE_NOOP("padrix::ControlAccessibility", "Change sign")},
        {".", QT_TRANSLATE_NOOP("padrix::ControlAccessibility", "Decimal point")},
        {"=", QT_TRANSLATE_NOOP("padrix::ControlAccessibility", "Equals")},
    };
    const auto word = words.find(caption);
    return word != words.end()
               ? QCoreApplication::translate("padrix::ControlAccessibility", word->second)
               : caption;
}

QString driveEntryKindName(int kind) {
    if (kind == drivelist::Folder)
        return QCoreApplication::translate("padrix::ControlAccessibility", "folder");
    if (kind == drivelist::File || kind == drivelist::ReadOnlyFile)
        return QCoreApplication::translate("padrix::ControlAccessibility", "file");
    return QCoreApplication::translate("padrix::ControlAccessibility", "drive");
}

namespace {

/// Marks the labels that makeReadableLabel made readable.
constexpr const char* ReadableProperty = "padrixReadable";

/// A label that shows a value: a static text named for what it holds, whose text is read
/// through the text interface (a plain label's text is lost behind its name).
class ReadableLabelAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit ReadableLabelAccessible(QLabel* label)
        : QAccessibleWidget(label, QAccessible::StaticText) {}

    QLabel* label() const { return static_cast<QLabel*>(widget()); }
    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value)
            return label()->text();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        return s;
    }

    // The text interface: read-only, no caret, no selection.
    QString text(int startOffset, int endOffset) const override {
        return label()->text().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(label()->text().size()); }
    void selection(int, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = 0;
    }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* startOffset, int* endOffset) const override {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }
};

class ButtonAccessible : public QAccessibleWidget {
public:
    explicit ButtonAccessible(LumoButton* button)
        : QAccessibleWidget(button, QAccessible::Button) {}

    LumoButton* button() const { return static_cast<LumoButton*>(widget()); }
    QString text(QAccessible::Text t) const override {
        switch (t) {
        case QAccessible::Name:
            return button()->accessibleName().isEmpty()
                       ? spokenButtonName(button()->Caption(), button()->toolTip())
                       : button()->accessibleName();
        case QAccessible::Description:
            return button()->toolTip();
        default:
            return QAccessibleWidget::text(t);
        }
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override {
        if (name == pressAction() && button()->isEnabled())
            button()->press();
    }
};

class ScrollAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit ScrollAccessible(VantoVerticalScroll* bar)
        : QAccessibleWidget(bar, QAccessible::ScrollBar) {}

    VantoVerticalScroll* bar() const { return static_cast<VantoVerticalScroll*>(widget()); }
    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    QVariant currentValue() const override { return bar()->Value(); }
    void setCurrentValue(const QVariant& value) override { bar()->setValue(value.toInt()); }
    QVariant maximumValue() const override {
        return std::max(bar()->ValueMin(), bar()->ValueMax());
    }
    QVariant minimumValue() const override {
        return std::min(bar()->ValueMin(), bar()->ValueMax());
    }
    QVariant minimumStepSize() const override { return bar()->ValueSmallChange(); }
    QStringList actionNames() const override { return {increaseAction(), decreaseAction()}; }
    void doAction(const QString& name) override {
        const int step = bar()->ValueSmallChange();
        if (name == increaseAction())
            bar()->setValue(std::min(bar()->Value() + step, maximumValue().toInt()));
        else if (name == decreaseAction())
            bar()->setValue(std::max(bar()->Value() - step, minimumValue().toInt()));
    }
};

/// One entry of the drive list, by its place in the list.
class DriveEntryAccessible : public QAccessibleInterface {
public:
    DriveEntryAccessible(DriveControl* list, int index) : m_list(list), m_index(index) {}

    bool isValid() const override { return m_list != nullptr; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(m_list);
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override {
        if (m_list == nullptr || m_index >= m_list->entries().size())
            return {};
        const DriveEntry& entry = m_list->entries()[m_index];
        if (t == QAccessible::Name)
            return entry.text;
        if (t == QAccessible::Description)
            return driveEntryKindName(entry.kind);
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (m_list == nullptr)
            return {};
        const QRect row(0, m_index * m_list->rowHeight(), m_list->width(), m_list->rowHeight());
        return QRect(m_list->mapToGlobal(row.topLeft()), row.size());
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.selectable = true;
        s.selected = m_list != nullptr && m_list->selectedIndex() == m_index;
        return s;
    }

private:
    QPointer<DriveControl> m_list;
    int m_index;
};

class DriveListAccessible : public QAccessibleWidget {
public:
    explicit DriveListAccessible(DriveControl* list) : QAccessibleWidget(list, QAccessible::List) {}
    ~DriveListAccessible() override {
        for (const auto& [index, id] : m_items)
            QAccessible::deleteAccessibleInterface(id);
    }

    DriveControl* list() const { return static_cast<DriveControl*>(widget()); }
    int childCount() const override { return static_cast<int>(list()->entries().size()); }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount())
            return nullptr;
        // The same interface for a place every time, as assistive technology expects.
        auto found = m_items.find(index);
        if (found == m_items.end()) {
            const auto id =
                QAccessible::registerAccessibleInterface(new DriveEntryAccessible(list(), index));
            found = m_items.emplace(index, id).first;
        }
        return QAccessible::accessibleInterface(found->second);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (const auto& [index, id] : m_items)
            if (QAccessible::accessibleInterface(id) == child)
                return index;
        return -1;
    }

private:
    mutable std::map<int, QAccessible::Id> m_items;
};

QAccessibleInterface* controlAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String("QLabel") && object->property(ReadableProperty).toBool())
        return new ReadableLabelAccessible(static_cast<QLabel*>(object));
    if (className == QLatin1String("padrix::LumoButton"))
        return new ButtonAccessible(static_cast<LumoButton*>(object));
    if (className == QLatin1String("padrix::VantoVerticalScroll"))
        return new ScrollAccessible(static_cast<VantoVerticalScroll*>(object));
    if (className == QLatin1String("padrix::DriveControl"))
        return new DriveListAccessible(static_cast<DriveControl*>(object));
    return nullptr;
}

} // namespace

void installControlAccessibility() {
    static std::once_flag installed;
    std::call_once(installed, [] { QAccessible::installFactory(&controlAccessible); });
}

void makeReadableLabel(QLabel* label, const QString& name) {
    installControlAccessibility();
    label->setProperty(ReadableProperty, true);
    label->setAccessibleName(name);
}

void setReadableText(QLabel* label, const QString& text) {
    const QString old = label->text();
    if (old == text)
        return;
    label->setText(text);
    if (QAccessible::isActive()) {
        QAccessibleTextUpdateEvent event(label, 0, old, text);
        QAccessible::updateAccessibility(&event);
    }
}

} // namespace padrix
