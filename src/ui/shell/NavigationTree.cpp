#include "ui/shell/NavigationTree.h"

#include "core/schedule/ScheduleModel.h"
#include "core/texts/TextTable.h"
#include "ui/common/AppContext.h"
#include "ui/common/EnterEscapeFilter.h"
#include "ui/common/ShellActions.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>
#include <QMouseEvent>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace quorvan {

NavigationTree::NavigationTree(AppContext& context, ShellActions& shell, QWidget* parent)
    : QWidget(parent), m_context(context), m_shell(shell), m_tree(new QTreeWidget(this)) {
    m_tree->setObjectName(QStringLiteral("documentTree"));
    m_tree->setHeaderHidden(true);
    m_tree->setRootIsDecorated(true);
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_tree->header()->setStretchLastSection(false);
    m_tree->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 3, 0);
    layout->addWidget(m_tree);

    m_normalFolder = new QTreeWidgetItem(m_tree, {QStringLiteral("一般时间表")});
    m_remoteFolder = new QTreeWidgetItem(m_tree, {QStringLiteral("遥控设定")});
    for (const DocumentInfo& doc : m_context.model.documents()) {
        QTreeWidgetItem* parentItem = doc.kind == DocumentKind::RemotePresets ? m_remoteFolder : m_normalFolder;
        m_documentItems.push_back(new QTreeWidgetItem(parentItem, {doc.caption}));
    }
    m_remoteFolder->setExpanded(true);
    connect(m_tree, &QTreeWidget::itemSelectionChanged, this, &NavigationTree::selectChosenDocument);
    m_tree->viewport()->installEventFilter(this);
    discardEnterAndEscape(this);
    retranslate();
}

QTreeWidgetItem* NavigationTree::documentItem(int index) const {
    return index >= 0 && std::size_t(index) < m_documentItems.size() ? m_documentItems[std::size_t(index)] : nullptr;
}

void NavigationTree::retranslate() {
    const auto& docs = m_context.model.documents();
    for (std::size_t i = 0; i < docs.size() && i < m_documentItems.size(); ++i)
        m_documentItems[i]->setText(0, docs[i].caption);
    m_normalFolder->setText(0, m_context.texts.text(TextId::NormalSchedule));
    m_remoteFolder->setText(0, m_context.texts.text(TextId::ConvenientSetting));
    m_tree->setAccessibleName(m_context.texts.text(TextId::Documents));
}

void NavigationTree::selectDocumentItem(int index) {
    if (QTreeWidgetItem* item = documentItem(index)) {
        if (item->parent())
            item->parent()->setExpanded(true);
        m_tree->setCurrentItem(item);
    }
}

void NavigationTree::showDocumentItem(int index) {
    const QSignalBlocker quiet(m_tree);
    selectDocumentItem(index);
}

// Only the left button chooses a document: Qt's views also select on a right or middle press, which would
// switch the document under the operator's hand.
bool NavigationTree::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_tree->viewport()) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
            if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
                return true;
            break;
        case QEvent::ContextMenu:
            showContextMenu(static_cast<QContextMenuEvent*>(event));
            return true;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// The menu of a document's item: its kept versions, to restore one; comparisons with the other documents of its
// kind, its newest kept versions and the file of the same name in a folder; its entries to and from CSV. It acts on the
// item under the pointer and leaves the selection alone.
void NavigationTree::showContextMenu(QContextMenuEvent* event) {
    QTreeWidgetItem* item = m_tree->itemAt(event->pos());
    const auto found = std::find(m_documentItems.begin(), m_documentItems.end(), item);
    if (!item || found == m_documentItems.end())
        return;
    QMenu menu(this);
    fillDocumentMenu(menu, int(found - m_documentItems.begin()));
    menu.exec(event->globalPos());
}

void NavigationTree::fillDocumentMenu(QMenu& menu, int index) {
    const TextTable& texts = m_context.texts;
    const std::vector<DocumentInfo>& documents = m_context.model.documents();
    if (index < 0 || std::size_t(index) >= documents.size())
        return;
    const DocumentInfo& document = documents[std::size_t(index)];
    menu.addAction(texts.text(TextId::RestoreMenu), this, [this, index] { m_shell.openRestoreDialog(index); });
    QMenu* compare = menu.addMenu(texts.text(TextId::CompareMenu));
    compare->setObjectName(QStringLiteral("compareMenu"));
    for (std::size_t d = 0; d < documents.size(); ++d) {
        if (int(d) == index || documents[d].kind != document.kind)
            continue;
        compare->addAction(documents[d].caption, this, [this, index, d] {
            m_shell.compareDocument(index, {CompareWith::Kind::Document, int(d), {}});
        });
    }
    if (!compare->isEmpty())
        compare->addSeparator();
    QMenu* versions = compare->addMenu(texts.text(TextId::CompareKeptVersion));
    versions->setObjectName(QStringLiteral("keptVersionsMenu"));
    // The newest versions, newest first: older ones are for the restore dialog's longer list.
    constexpr int kListed = 20;
    const std::vector<BackupVersion> kept = m_context.backups.versions(document.fileName);
    for (auto it = kept.rbegin(); it != kept.rend() && versions->actions().size() < kListed; ++it) {
        QString text = it->time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        if (it->mark == BackupVersion::Mark::Damaged)
            text += QStringLiteral(" (%1)").arg(texts.text(TextId::MarkDamaged));
        else if (it->mark == BackupVersion::Mark::Import)
            text += QStringLiteral(" (%1)").arg(texts.text(TextId::MarkImport));
        const BackupVersion version = *it;
        versions->addAction(text, this, [this, index, version] {
            m_shell.compareDocument(index, {CompareWith::Kind::Version, -1, version});
        });
    }
    versions->setEnabled(!versions->isEmpty());
    compare->addAction(texts.text(TextId::CompareFolderFile), this, [this, index] {
        m_shell.compareDocument(index, {CompareWith::Kind::Folder, -1, {}});
    });
    menu.addSeparator();
    menu.addAction(texts.text(TextId::ExportEntries), this, [this, index] { m_shell.exportEntries(index); });
    menu.addAction(texts.text(TextId::ImportEntries), this, [this, index] { m_shell.importEntries(index); });
}

void NavigationTree::selectChosenDocument() {
    const QList<QTreeWidgetItem*> selected = m_tree->selectedItems();
    if (selected.isEmpty())
        return;
    for (std::size_t i = 0; i < m_documentItems.size() && i < m_context.model.documents().size(); ++i)
        if (m_documentItems[i] == selected.front())
            m_shell.selectDocument(int(i));
}

} // namespace quorvan
