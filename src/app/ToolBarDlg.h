#pragma once

#include <QWidget>

#include <array>

namespace quorvan {

struct AppContext;
class CIconButton;
class CommandSink;

// The tool bar across the top of the main window: settings, import, export, copy and music player.
class ToolBarDlg : public QWidget {
    Q_OBJECT
public:
    enum ButtonId { SystemOption = 2001, Import = 2002, Export = 2003, CopyTiming = 2004, MusicPlay = 2006 };

    ToolBarDlg(AppContext& context, CommandSink& sink, QWidget* parent = nullptr);

    int RefreshCaptions();
    CIconButton* button(ButtonId id) const;

    // The button actions; also reached by clicking.
    void onImport();
    void onExport();

signals:
    void aboutRequested();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    AppContext& m_context;
    CommandSink& m_sink;
    std::array<CIconButton*, 5> m_buttons{};
};

} // namespace quorvan
