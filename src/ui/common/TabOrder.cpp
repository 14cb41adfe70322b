#include "ui/common/TabOrder.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QRadioButton>
#include <QWidget>

#include <algorithm>
#include <vector>

namespace quorvan {

namespace {

struct Item {
    QRect box; // in root coordinates
    bool block; // holds several controls
};

bool takesTab(const QWidget* w) {
    return (w->focusPolicy() & Qt::TabFocus) != 0;
}

// Controls that take focus as one (a time field, a tab bar with its scroll buttons): their inner widgets are not
// ordered separately. A widget that hands its focus to another (a tab widget to its tab bar) is a block.
bool isWholeControl(const QWidget* w) {
    return qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QComboBox*>(w) ||
           qobject_cast<const QAbstractItemView*>(w) || (takesTab(w) && !w->focusProxy());
}

void collect(QWidget* root, QWidget* container, std::vector<QWidget*>& chain);

// The controls inside w in reading order (w itself when it is one control).
std::vector<QWidget*> controlsOf(QWidget* root, QWidget* w) {
    std::vector<QWidget*> inner;
    if (!isWholeControl(w))
        collect(root, w, inner);
    if (inner.empty() && takesTab(w))
        inner.push_back(w);
    return inner;
}

bool sameRow(const QRect& a, const QRect& b) {
    return std::abs(a.top() - b.top()) <= std::min(a.height(), b.height()) / 2;
}

bool before(const Item& a, const Item& b) {
    if (a.block && b.block) {
        // Blocks stacked in one column go top to bottom; columns go left to right.
        const bool stacked = a.box.left() < b.box.right() && b.box.left() < a.box.right();
        return stacked ? a.box.top() < b.box.top() : a.box.left() < b.box.left();
    }
    return sameRow(a.box, b.box) ? a.box.left() < b.box.left() : a.box.top() < b.box.top();
}

void collect(QWidget* root, QWidget* container, std::vector<QWidget*>& chain) {
    std::vector<Item> items;
    std::vector<std::vector<QWidget*>> controls;
    for (QObject* child : container->children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (!w || w->isWindow())
            continue;
        std::vector<QWidget*> inner = controlsOf(root, w);
        if (inner.empty())
            continue;
        const bool block = inner.size() > 1 || inner.front() != w;
        items.push_back({QRect(w->mapTo(root, QPoint(0, 0)), w->size()), block});
        controls.push_back(std::move(inner));
    }
    std::vector<std::size_t> order(items.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    // Insertion order keeps ties as made; the pairwise rule need not be transitive across unrelated items.
    for (std::size_t i = 1; i < order.size(); ++i)
        for (std::size_t j = i; j > 0 && before(items[order[j]], items[order[j - 1]]); --j)
            std::swap(order[j], order[j - 1]);
    for (const std::size_t i : order)
        chain.insert(chain.end(), controls[i].begin(), controls[i].end());
}

// root's controls in reading order.
std::vector<QWidget*> controlsInReadingOrder(QWidget* root) {
    std::vector<QWidget*> chain;
    collect(root, root, chain);
    return chain;
}

// Whether Tab may stop at w now. Of radio buttons that exclude one another only the checked one takes Tab, as
// Qt's own order does.
bool canStop(QWidget* w) {
    if (!w->isVisible() || !w->isEnabled() || !takesTab(w))
        return false;
    if (auto* radio = qobject_cast<QRadioButton*>(w); radio && radio->autoExclusive() && !radio->isChecked()) {
        const QWidget* parent = radio->parentWidget();
        for (QRadioButton* other : parent->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly))
            if (other != radio && other->autoExclusive() && other->isChecked())
                return false;
    }
    return true;
}

// The first widget outside root that Tab reaches from root's controls in the window's own order, forwards or
// backwards.
QWidget* outside(QWidget* root, bool next) {
    QWidget* w = root;
    for (int guard = 0; guard < 10000; ++guard) {
        w = next ? w->nextInFocusChain() : w->previousInFocusChain();
        if (!w || w == root)
            return nullptr;
        if (!root->isAncestorOf(w) && canStop(w))
            return w;
    }
    return nullptr;
}

} // namespace

bool moveFocusInReadingOrder(QWidget* root, bool next) {
    QWidget* focus = QApplication::focusWidget();
    if (!focus || !root->isAncestorOf(focus))
        return false;
    const std::vector<QWidget*> chain = controlsInReadingOrder(root);
    int at = -1;
    for (int i = 0; i < int(chain.size()); ++i)
        if (chain[std::size_t(i)] == focus || chain[std::size_t(i)]->isAncestorOf(focus) ||
            chain[std::size_t(i)]->focusProxy() == focus)
            at = i;
    if (at < 0)
        return false;
    for (int i = at + (next ? 1 : -1); i >= 0 && i < int(chain.size()); i += next ? 1 : -1) {
        if (canStop(chain[std::size_t(i)])) {
            chain[std::size_t(i)]->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    if (QWidget* beyond = outside(root, next)) {
        beyond->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        return true;
    }
    return false;
}

} // namespace quorvan
