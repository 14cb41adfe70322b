#include "ui/schedule/EditorArrangement.h"

#include "ui/schedule/ZonePowerPanel.h"

#include <QGridLayout>
#include <QWidget>

namespace quorvan {

EditorArrangement::EditorArrangement(QWidget* editor, QLayout* left, QWidget* sources, ZonePowerPanel* targets)
    : m_editor(editor), m_grid(new QGridLayout(editor)), m_left(left), m_sources(sources), m_targets(targets) {
    m_grid->setContentsMargins(4, 0, 4, 4);
    m_grid->addLayout(m_left, 0, 0);
    m_grid->addWidget(m_sources, 0, 1);
    m_grid->addWidget(m_targets, 0, 2);
    m_grid->setColumnStretch(2, 1);
}

int EditorArrangement::sideBySideWidth() const {
    const QMargins margins = m_grid->contentsMargins();
    return margins.left() + m_left->sizeHint().width() + m_grid->horizontalSpacing() + m_sources->sizeHint().width() +
           m_grid->horizontalSpacing() + m_targets->columnWidth() + margins.right();
}

bool EditorArrangement::fitWidth(int width) {
    const bool stacked = width < sideBySideWidth();
    if (stacked == m_stacked)
        return false;
    place(stacked);
    return true;
}

void EditorArrangement::place(bool stacked) {
    m_stacked = stacked;
    m_grid->removeWidget(m_targets);
    m_targets->setSideBySide(stacked);
    if (stacked) {
        m_grid->addWidget(m_targets, 1, 0, 1, 2); // the whole width: the groups share it
        m_grid->setColumnStretch(2, 0);
        m_grid->setColumnStretch(1, 1);
    } else {
        m_grid->addWidget(m_targets, 0, 2);
        m_grid->setColumnStretch(1, 0);
        m_grid->setColumnStretch(2, 1);
    }
    m_grid->invalidate();
    m_editor->updateGeometry();
}

} // namespace quorvan
