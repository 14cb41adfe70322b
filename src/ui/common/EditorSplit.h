#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

class QScrollArea;
class QSplitter;
class QWidget;

namespace quorvan {

class SettingsFiles;

// A page's list above its editor's dock, with a border between them that the operator drags. The dock is never
// higher than the whole editor (and its scroll bar when the page is too narrow), so the list takes what the
// editor does not need; dragged lower, the editor scrolls. The height the operator chose is kept in Config.ini,
// [Window] <key>, and taken again at the next start.
class EditorSplit : public QObject {
public:
    EditorSplit(QWidget* page, QWidget* list, QScrollArea* dock, int band, SettingsFiles& settings, QString key);
    ~EditorSplit() override;
    EditorSplit(const EditorSplit&) = delete;
    EditorSplit& operator=(const EditorSplit&) = delete;

    // Lays the list, the border and the dock out over the whole page, for its size and the editor's size now.
    void fit();

    QSplitter* splitter() const { return m_splitter; }
    // The editor height the operator chose, -1 while it is the whole editor.
    int chosenHeight() const { return m_chosen; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void remember();

    QWidget* m_page;
    QScrollArea* m_dock;
    QSplitter* m_splitter;
    SettingsFiles& m_settings;
    QString m_key;
    int m_chosen = -1;
    bool m_fitting = false;
    QTimer m_saveLater;
    QTimer m_refit;
};

} // namespace quorvan
