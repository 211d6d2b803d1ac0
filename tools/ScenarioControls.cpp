#include "ScenarioControls.h"

#include "controls/skinned/ui/SkinCheckBox.h"
#include "controls/skinned/ui/SkinPageControl.h"
#include "pages/ui/ControlText.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QListWidget>
#include <QMouseEvent>
#include <QtTest/QTest>

#include <algorithm>
#include <vector>

namespace trvx {
namespace {

// What a double click delivers: press, release, press, the double click, release. A list takes
// its double click only after the second press on the same row, which QTest::mouseDClick does
// not send to a widget.
void DoubleClickAt(QWidget* target, Qt::MouseButton button, QPoint at) {
    QTest::mouseClick(target, button, {}, at);
    QTest::mousePress(target, button, {}, at);
    QMouseEvent twice(QEvent::MouseButtonDblClick, QPointF(at), QPointF(target->mapToGlobal(at)),
                      button, button, {});
    QCoreApplication::sendEvent(target, &twice);
    QTest::mouseRelease(target, button, {}, at);
}

} // namespace

ControlState ControlStateOf(const QWidget* control) {
    ControlState state;
    // The control's own flag, not whether it is on screen: offscreen the window may never be
    // shown, and a control on a page that is not showing is still "visible" here.
    state.visible = !control->isHidden();
    state.enabled = control->isEnabled();
    if (auto* combo = qobject_cast<const QComboBox*>(control)) {
        // With no item chosen a list-style box shows its placeholder text.
        QString text = combo->currentText();
        if (combo->currentIndex() < 0 && !combo->isEditable())
            text = combo->placeholderText();
        state.text = text.toStdString();
        state.index = combo->currentIndex();
        state.count = combo->count();
    } else if (auto* list = qobject_cast<const QListWidget*>(control)) {
        const QListWidgetItem* item = list->currentItem();
        state.text = item != nullptr ? item->text().toStdString() : std::string();
        state.index = list->currentRow();
        state.count = list->count();
    } else if (auto* pages = qobject_cast<const SkinPageControl*>(control)) {
        state.index = pages->tabIndex();
        state.count = pages->pageCount();
    } else {
        if (const auto caption = FindControlCaption(control))
            state.text = caption->toStdString();
        if (auto* box = qobject_cast<const SkinCheckBox*>(control))
            state.checked = box->isChecked();
        else if (auto* button = qobject_cast<const QAbstractButton*>(control);
                 button != nullptr && button->isCheckable())
            state.checked = button->isChecked();
    }
    return state;
}

QWidget* FindOnOwnWindows(const QWidget* main, const std::string& name, std::string& error) {
    const auto dot = name.find('.');
    const QString window =
        dot == std::string::npos ? QString() : QString::fromStdString(name.substr(0, dot));
    const QString wanted =
        QString::fromStdString(dot == std::string::npos ? name : name.substr(dot + 1));
    std::vector<QWidget*> shown;
    QWidget* hidden = nullptr;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top == main || (!window.isEmpty() && top->objectName() != window))
            continue;
        QWidget* found = top->objectName() == wanted ? top : top->findChild<QWidget*>(wanted);
        if (found == nullptr)
            continue;
        if (top->isVisible())
            shown.push_back(found);
        else if (hidden == nullptr)
            hidden = found;
    }
    if (shown.size() > 1) {
        std::vector<std::string> windows;
        for (const QWidget* w : shown)
            windows.push_back(w->window()->objectName().toStdString());
        std::sort(windows.begin(), windows.end());
        error = name + " is on more than one open window (";
        for (std::size_t i = 0; i < windows.size(); ++i)
            error += (i > 0 ? ", " : "") + windows[i];
        error += "): name the window too, as " + windows.front() + "." + name;
        return nullptr;
    }
    if (!shown.empty())
        return shown.front();
    if (hidden != nullptr)
        return hidden;
    error = "no control named " + name;
    return nullptr;
}

QWidget* ReachableAt(QWidget* control, const std::string& name, std::string& error,
                     std::optional<QPoint> point) {
    if (!control->isVisible()) {
        error = name + " is not visible";
        return nullptr;
    }
    QWidget* window = control->window();
    const QPoint at = control->mapTo(window, point.value_or(control->rect().center()));
    if (!window->rect().contains(at)) {
        error = name + " lies outside its window";
        return nullptr;
    }
    QWidget* top = window->childAt(at);
    if (top == nullptr)
        top = window;
    if (top != control && !control->isAncestorOf(top)) {
        error = name + " is covered by " +
                (top->objectName().isEmpty() ? std::string(top->metaObject()->className())
                                             : top->objectName().toStdString());
        return nullptr;
    }
    return top;
}

bool ClickControl(QWidget* control, const std::string& name, Qt::MouseButton button, bool twice,
                  std::optional<int> row, std::string& error) {
    QWidget* surface = control;
    QPoint place = control->rect().center();
    if (row) {
        auto* list = qobject_cast<QListWidget*>(control);
        if (list == nullptr) {
            error = name + " is not a list, so it has no rows";
            return false;
        }
        QListWidgetItem* item = list->item(*row);
        if (item == nullptr) {
            error = name + " has no row " + std::to_string(*row) + " (it has " +
                    std::to_string(list->count()) + ")";
            return false;
        }
        list->scrollToItem(item);
        surface = list->viewport();
        place = list->visualItemRect(item).center();
    }
    QWidget* target = ReachableAt(surface, name, error, place);
    if (target == nullptr)
        return false;
    const QPoint at = target->mapFrom(surface, place);
    if (twice && row)
        DoubleClickAt(target, button, at);
    else if (twice)
        QTest::mouseDClick(target, button, {}, at);
    else
        QTest::mouseClick(target, button, {}, at);
    return true;
}

bool ChooseTab(SkinPageControl& pages, const std::string& name, int index, std::string& error) {
    if (index < 0 || index >= pages.pageCount()) {
        error = name + " has no tab " + std::to_string(index) + " (it has " +
                std::to_string(pages.pageCount()) + ")";
        return false;
    }
    if (!pages.isEnabled()) {
        error = name + " is disabled";
        return false;
    }
    SkinTabStrip* strip = pages.strip();
    const TabStripLayout layout = strip->layout();
    const auto place = std::find_if(layout.tabs.begin(), layout.tabs.end(),
                                    [index](const TabPlace& p) { return p.index == index; });
    if (place == layout.tabs.end()) {
        error = "tab " + std::to_string(index) + " of " + name +
                (strip->tabVisibleAt(index) ? " is scrolled out of sight" : " is hidden");
        return false;
    }
    const QPoint at((place->rect.left + place->rect.right) / 2,
                    (place->rect.top + place->rect.bottom) / 2);
    QWidget* target = ReachableAt(strip, name, error, at);
    if (target == nullptr)
        return false;
    QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(strip, at));
    return true;
}

} // namespace trvx
