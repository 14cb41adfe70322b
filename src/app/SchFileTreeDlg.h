#pragma once

#include <QWidget>

#include <vector>

class QTreeWidget;
class QTreeWidgetItem;

namespace quorvan {

struct AppContext;
class CommandSink;

// The navigation tree: the documents under their two folders. Selecting a document selects it in the main
// window; folders do nothing.
class SchFileTreeDlg : public QWidget {
    Q_OBJECT
public:
    static constexpr int kTreeId = 1003;

    SchFileTreeDlg(AppContext& context, CommandSink& sink, QWidget* parent = nullptr);

    int RefreshCaptions();
    // Selects the item of document index, which reports the selection like a user's click.
    void selectDocumentItem(int index);

    QTreeWidget* tree() const { return m_tree; }
    QTreeWidgetItem* documentItem(int index) const;
    QTreeWidgetItem* normalFolder() const { return m_normalFolder; }
    QTreeWidgetItem* remoteFolder() const { return m_remoteFolder; }

private:
    void onSelectionChanged();

    AppContext& m_context;
    CommandSink& m_sink;
    QTreeWidget* m_tree;
    QTreeWidgetItem* m_normalFolder;
    QTreeWidgetItem* m_remoteFolder;
    std::vector<QTreeWidgetItem*> m_documentItems;
};

} // namespace quorvan
