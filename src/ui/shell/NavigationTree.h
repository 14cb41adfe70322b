#pragma once

#include <QWidget>

#include <vector>

class QContextMenuEvent;
class QMenu;
class QTreeWidget;
class QTreeWidgetItem;

namespace quorvan {

struct AppContext;
class ShellActions;

// The navigation tree: the documents under their two folders. Selecting a document selects it in the main
// window; folders do nothing.
class NavigationTree : public QWidget {
    Q_OBJECT
public:
    NavigationTree(AppContext& context, ShellActions& shell, QWidget* parent = nullptr);

    void retranslate();
    // Selects the item of document index, which reports the selection like a user's click.
    void selectDocumentItem(int index);
    // Selects the item of document index without reporting it.
    void showDocumentItem(int index);

    QTreeWidget* tree() const { return m_tree; }
    QTreeWidgetItem* documentItem(int index) const;
    QTreeWidgetItem* normalFolder() const { return m_normalFolder; }
    QTreeWidgetItem* remoteFolder() const { return m_remoteFolder; }
    // The menu of document index's item: Restore..., Compare with (the other documents of its kind, its kept
    // versions, the file of the same name in a folder), Export entries..., Import entries....
    void fillDocumentMenu(QMenu& menu, int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void selectChosenDocument();
    void showContextMenu(QContextMenuEvent* event);

    AppContext& m_context;
    ShellActions& m_shell;
    QTreeWidget* m_tree;
    QTreeWidgetItem* m_normalFolder;
    QTreeWidgetItem* m_remoteFolder;
    std::vector<QTreeWidgetItem*> m_documentItems;
};

} // namespace quorvan
