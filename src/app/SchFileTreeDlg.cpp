#include "app/SchFileTreeDlg.h"

#include "app/AppContext.h"
#include "app/Commands.h"
#include "app/KeyFilter.h"
#include "model/ModelState.h"
#include "settings/TextTable.h"

#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace quorvan {

SchFileTreeDlg::SchFileTreeDlg(AppContext& context, CommandSink& sink, QWidget* parent)
    : QWidget(parent), m_context(context), m_sink(sink), m_tree(new QTreeWidget(this)) {
    m_tree->setObjectName(QStringLiteral("tree%1").arg(kTreeId));
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
    for (const ScheduleDocument& doc : m_context.model.documents) {
        QTreeWidgetItem* parentItem = doc.kind == DocumentKind::RemotePresets ? m_remoteFolder : m_normalFolder;
        m_documentItems.push_back(new QTreeWidgetItem(parentItem, {doc.caption}));
    }
    m_remoteFolder->setExpanded(true);
    connect(m_tree, &QTreeWidget::itemSelectionChanged, this, &SchFileTreeDlg::onSelectionChanged);
    discardEnterAndEscape(this);
    RefreshCaptions();
}

QTreeWidgetItem* SchFileTreeDlg::documentItem(int index) const {
    return index >= 0 && std::size_t(index) < m_documentItems.size() ? m_documentItems[std::size_t(index)] : nullptr;
}

int SchFileTreeDlg::RefreshCaptions() {
    const auto& docs = m_context.model.documents;
    for (std::size_t i = 0; i < docs.size() && i < m_documentItems.size(); ++i)
        m_documentItems[i]->setText(0, docs[i].caption);
    m_normalFolder->setText(0, m_context.texts.Text(18));
    m_remoteFolder->setText(0, m_context.texts.Text(29));
    return 1;
}

void SchFileTreeDlg::selectDocumentItem(int index) {
    if (QTreeWidgetItem* item = documentItem(index)) {
        if (item->parent())
            item->parent()->setExpanded(true);
        m_tree->setCurrentItem(item);
    }
}

void SchFileTreeDlg::onSelectionChanged() {
    const QList<QTreeWidgetItem*> selected = m_tree->selectedItems();
    if (selected.isEmpty())
        return;
    for (std::size_t i = 0; i < m_documentItems.size() && i < m_context.model.documents.size(); ++i)
        if (m_documentItems[i] == selected.front())
            m_sink.command(CMD_SELECT_DOCUMENT, qintptr(i));
}

} // namespace quorvan
