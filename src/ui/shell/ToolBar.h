#pragma once

#include <QWidget>

#include <array>

namespace quorvan {

struct AppContext;
class IconButton;
class ShellActions;
class TransferRunner;

// The tool bar across the top of the main window: settings, import, export, copy and music player, then the two
// small undo and redo buttons, whose tooltips name the step they would take.
class ToolBar : public QWidget {
    Q_OBJECT
public:
    enum ButtonId {
        SystemOption,
        Import,
        Export,
        CopyTiming,
        MusicPlay,
        Undo,
        Redo,
    };

    ToolBar(AppContext& context, ShellActions& shell, QWidget* parent = nullptr);

    void retranslate();
    IconButton* button(ButtonId id) const;

    // The button actions; also reached by clicking.
    void importFromCard();
    void exportToCard();
    // The undo and redo buttons follow the history: enabled when there is a step, its name in the tooltip.
    void showHistory(bool canUndo, const QString& undoText, bool canRedo, const QString& redoText);

signals:
    void aboutRequested();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    TransferRunner transferRunner() const;

    AppContext& m_context;
    ShellActions& m_shell;
    std::array<IconButton*, 7> m_buttons{};
};

} // namespace quorvan
