#pragma once

#include <QWidget>

#include <array>

namespace quorvan {

struct AppContext;
class IconButton;
class ShellActions;

// The tool bar across the top of the main window: settings, import, export, copy and music player.
class ToolBar : public QWidget {
    Q_OBJECT
public:
    enum ButtonId { SystemOption = 2001, Import = 2002, Export = 2003, CopyTiming = 2004, MusicPlay = 2006 };

    ToolBar(AppContext& context, ShellActions& shell, QWidget* parent = nullptr);

    void retranslate();
    IconButton* button(ButtonId id) const;

    // The button actions; also reached by clicking.
    void importFromCard();
    void exportToCard();

signals:
    void aboutRequested();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    AppContext& m_context;
    ShellActions& m_shell;
    std::array<IconButton*, 5> m_buttons{};
};

} // namespace quorvan
