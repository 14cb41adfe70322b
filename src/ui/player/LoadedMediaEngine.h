#pragma once

#include "ui/player/MediaEngine.h"

#include <QString>

#include <memory>

namespace quorvan {

// The music player's engine, loaded when it is first needed: Qt Multimedia and the libraries it brings (audio
// servers, codecs, networking — twenty of them) live in a module of their own, so that the program's start does
// not load them. Until the player plays or shows its controls nothing is loaded. A module that cannot be loaded
// makes every song fail, as files that cannot be played do, and says why once on the standard error.
class LoadedMediaEngine : public MediaEngine {
public:
    // The module: beside the program (run from its build), else where the package installs it.
    LoadedMediaEngine();
    explicit LoadedMediaEngine(QString modulePath);
    ~LoadedMediaEngine() override;

    void setSource(const QString& fullPath) override;
    PlayState playState() const override;
    QWidget* createControls(QWidget* parent) override;

    // Loads the module if it is not loaded yet; false (with the reason) when it cannot be.
    bool load();
    const QString& loadError() const { return m_error; }

    static QString defaultModulePath();

private:
    QString m_path;
    std::unique_ptr<MediaEngine> m_engine;
    QString m_error;
    bool m_tried = false;
    bool m_failedSource = false; // a song was asked for without an engine
};

} // namespace quorvan
