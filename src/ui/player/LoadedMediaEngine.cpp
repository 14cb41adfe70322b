#include "ui/player/LoadedMediaEngine.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>

#include <cstdio>

namespace quorvan {

namespace {

constexpr char kFactory[] = "quorvan_create_media_engine";

} // namespace

LoadedMediaEngine::LoadedMediaEngine() : LoadedMediaEngine(defaultModulePath()) {}

LoadedMediaEngine::LoadedMediaEngine(QString modulePath) : m_path(std::move(modulePath)) {}

LoadedMediaEngine::~LoadedMediaEngine() = default; // the module stays loaded until the program ends

QString LoadedMediaEngine::defaultModulePath() {
    const QString beside = QCoreApplication::applicationDirPath() + QStringLiteral("/" QUORVAN_MEDIA_MODULE);
    if (QFileInfo(beside).isFile())
        return beside;
    return QStringLiteral(QUORVAN_MEDIA_DIR "/" QUORVAN_MEDIA_MODULE);
}

bool LoadedMediaEngine::load() {
    if (m_engine || m_tried)
        return m_engine != nullptr;
    m_tried = true;
    QLibrary module(m_path);
    using Factory = MediaEngine* (*)();
    const auto create = reinterpret_cast<Factory>(module.resolve(kFactory));
    if (create)
        m_engine.reset(create());
    if (!m_engine) {
        m_error = module.errorString();
        std::fprintf(stderr, "quorvan: the music player cannot play: %s\n", qPrintable(m_error));
    }
    return m_engine != nullptr;
}

void LoadedMediaEngine::setSource(const QString& fullPath) {
    if (fullPath.isEmpty() && !m_engine) {
        m_failedSource = false;
        return; // nothing played yet: nothing to load for
    }
    if (load())
        m_engine->setSource(fullPath);
    else
        m_failedSource = !fullPath.isEmpty();
}

PlayState LoadedMediaEngine::playState() const {
    if (m_engine)
        return m_engine->playState();
    return m_failedSource ? PlayState::Stopped : PlayState::None;
}

QWidget* LoadedMediaEngine::createControls(QWidget* parent) {
    return load() ? m_engine->createControls(parent) : nullptr;
}

} // namespace quorvan
