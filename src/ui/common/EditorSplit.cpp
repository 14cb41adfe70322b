#include "ui/common/EditorSplit.h"

#include "core/settings/SettingsFiles.h"

#include <QEvent>
#include <QLayout>
#include <QScrollArea>
#include <QSplitter>
#include <QStyle>

#include <algorithm>

namespace quorvan {

namespace {

const QString kSection = QStringLiteral("Window");
constexpr int kSaveDelayMs = 400; // a drag writes the file once, after it has come to rest

} // namespace

EditorSplit::EditorSplit(QWidget* page, QWidget* list, QScrollArea* dock, int band, SettingsFiles& settings,
                         QString key)
    : QObject(page), m_page(page), m_dock(dock), m_splitter(new QSplitter(Qt::Vertical, page)), m_settings(settings),
      m_key(std::move(key)) {
    m_splitter->setObjectName(QStringLiteral("editorSplit"));
    m_splitter->setChildrenCollapsible(false);
    m_splitter->setHandleWidth(band);
    m_splitter->addWidget(list);
    m_splitter->addWidget(dock);
    m_splitter->setStretchFactor(0, 1);
    m_splitter->setStretchFactor(1, 0);
    dock->setMinimumHeight(0);
    const SettingValue stored = m_settings.readSetting(kSection, m_key);
    if (stored.present && stored.value > 0)
        m_chosen = stored.value;
    m_saveLater.setSingleShot(true);
    m_saveLater.setInterval(kSaveDelayMs);
    connect(&m_saveLater, &QTimer::timeout, this, [this] { m_settings.writeSetting(kSection, m_key, m_chosen); });
    connect(m_splitter, &QSplitter::splitterMoved, this, [this] { remember(); });
    // The editor's size changes after the page was laid out (the style polishes it when first shown, the texts
    // of another language, an arrangement for another width): the page is laid out again once things settle.
    m_refit.setSingleShot(true);
    m_refit.setInterval(0);
    connect(&m_refit, &QTimer::timeout, this, [this] { fit(); });
    if (QWidget* editor = dock->widget())
        editor->installEventFilter(this);
}

bool EditorSplit::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::LayoutRequest && watched == m_dock->widget())
        m_refit.start();
    return QObject::eventFilter(watched, event);
}

EditorSplit::~EditorSplit() {
    if (m_saveLater.isActive()) // closed right after a drag
        m_settings.writeSetting(kSection, m_key, m_chosen);
}

void EditorSplit::fit() {
    QWidget* editor = m_dock->widget();
    if (!editor)
        return;
    if (editor->layout()) // an arrangement changed just before is measured as it will be
        editor->layout()->activate();
    const QSize editorSize = editor->sizeHint().expandedTo(editor->minimumSizeHint());
    editor->setMinimumSize(editorSize);
    // A horizontal scroll bar takes room below the editor when the page is narrower than it.
    const int scrollBar = m_page->width() < editorSize.width()
                              ? m_dock->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_dock)
                              : 0;
    const int whole = editorSize.height() + scrollBar;
    const int room = std::max(0, m_page->height() - m_splitter->handleWidth());
    const int wanted = m_chosen > 0 ? std::min(m_chosen, whole) : whole;
    const int dockHeight = std::min(wanted, room);
    m_fitting = true;
    m_dock->setMaximumHeight(whole);
    m_splitter->setGeometry(m_page->rect());
    m_splitter->setSizes({room - dockHeight, dockHeight});
    m_splitter->show();
    m_fitting = false;
}

void EditorSplit::remember() {
    if (m_fitting)
        return;
    m_chosen = m_dock->height();
    m_saveLater.start();
}

} // namespace quorvan
