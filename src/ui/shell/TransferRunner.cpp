#include "ui/shell/TransferRunner.h"

#include "core/texts/TextTable.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QMutex>
#include <QMutexLocker>
#include <QPointer>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <climits>
#include <memory>

namespace quorvan {

namespace {

constexpr int kPollMs = 100;

// What the worker thread tells the window, and the window's Cancel, shared between the two.
struct SharedProgress {
    QMutex mutex;
    TransferProgress progress;
    std::atomic_bool cancel{false};

    TransferProgress snapshot() {
        const QMutexLocker lock(&mutex);
        return progress;
    }
};

// Swallows the user's input to one window (and everything inside it) while a transfer runs, the progress dialog
// excepted; painting, timers and other windows (the music player) go on.
class InputBlocker : public QObject {
public:
    InputBlocker(QWidget* window, const QWidget* dialog) : m_window(window), m_dialog(dialog) {
        if (m_window)
            qApp->installEventFilter(this);
    }
    ~InputBlocker() override {
        if (m_window)
            qApp->removeEventFilter(this);
    }
    InputBlocker(const InputBlocker&) = delete;
    InputBlocker& operator=(const InputBlocker&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!isInput(event->type()) || !watched->isWidgetType())
            return false;
        const QWidget* widget = static_cast<QWidget*>(watched);
        if (m_dialog && (widget == m_dialog || m_dialog->isAncestorOf(widget)))
            return false;
        if (widget->window() != m_window)
            return false;
        if (event->type() == QEvent::Close)
            event->ignore(); // the window stays open until its files are whole
        return true;
    }

private:
    static bool isInput(QEvent::Type type) {
        switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Shortcut:
        case QEvent::ShortcutOverride:
        case QEvent::ContextMenu:
        case QEvent::Close:
            return true;
        default:
            return false;
        }
    }

    QPointer<QWidget> m_window;
    const QWidget* m_dialog;
};

QString megabytes(qint64 bytes) {
    return QString::number(double(bytes) / 1e6, 'f', 1); // decimal megabytes, as card sizes are given
}

} // namespace

TransferRunner::TransferRunner(const TextTable& texts, QWidget* window) : m_texts(texts), m_window(window) {}

QString TransferRunner::progressText(const TextTable& texts, const TransferProgress& progress) {
    if (progress.checkingSongs)
        return texts.text(TextId::CheckingCardSongs);
    if (progress.keepingVersions)
        return texts.text(TextId::KeepingVersions);
    if (progress.total <= 0) // no bytes to count (empty or refused files): the files are counted instead
        return texts.text(TextId::TransferCopyingFiles)
            .arg(progress.name, QString::number(progress.filesDone + 1), QString::number(progress.filesTotal));
    const qint64 percent = progress.done * 100 / progress.total;
    return texts.text(TextId::TransferCopying)
        .arg(progress.name, megabytes(progress.done), megabytes(progress.total), QString::number(percent));
}

int TransferRunner::progressPermille(const TransferProgress& progress) {
    if (progress.checkingSongs)
        return 1000;
    if (progress.total > 0)
        return int(std::min<qint64>(1000, progress.done * 1000 / progress.total));
    return progress.filesTotal > 0 ? progress.filesDone * 1000 / progress.filesTotal : 0;
}

TransferReport TransferRunner::run(const Transfer& transfer) const {
    const auto shared = std::make_shared<SharedProgress>();
    TransferOptions options;
    options.bytesPerSecond = m_bytesPerSecond;
    options.progress = [shared](const TransferProgress& progress) {
        {
            const QMutexLocker lock(&shared->mutex);
            shared->progress = progress;
        }
        return !shared->cancel.load();
    };
    TransferReport report;
    runOnWorker([&report, &transfer, options] { report = transfer(options); },
                [shared, this](QProgressDialog& dialog) {
                    if (dialog.wasCanceled()) // Escape and the close box cancel without the button's signal
                        shared->cancel = true;
                    if (shared->cancel)
                        return false;
                    const TransferProgress progress = shared->snapshot();
                    if (progress.name.isEmpty() && !progress.checkingSongs && !progress.keepingVersions)
                        return false; // nothing said yet
                    dialog.setLabelText(progressText(m_texts, progress));
                    dialog.setValue(progressPermille(progress));
                    return true;
                },
                [shared] { shared->cancel = true; });
    return report;
}

void TransferRunner::runToEnd(const QString& label, const std::function<void()>& work) const {
    runOnWorker(work,
                [label](QProgressDialog& dialog) {
                    dialog.setLabelText(label);
                    return true;
                },
                {});
}

void TransferRunner::runOnWorker(const std::function<void()>& work, const std::function<bool(QProgressDialog&)>& update,
                                 const std::function<void()>& cancel) const {
    // The dialog shows itself only through the timer below, never on its own estimate.
    QProgressDialog dialog(m_window);
    dialog.setWindowTitle(QApplication::applicationDisplayName());
    dialog.setWindowModality(m_window ? Qt::WindowModal : Qt::ApplicationModal);
    dialog.setMinimumDuration(INT_MAX);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    dialog.setMinimumWidth(420);
    if (cancel) {
        dialog.setRange(0, 1000);
        dialog.setCancelButtonText(m_texts.text(TextId::CancelButton));
        QObject::connect(&dialog, &QProgressDialog::canceled, &dialog, cancel);
    } else {
        dialog.setRange(0, 0); // a bar that only moves: the work has no steps to count
        dialog.setCancelButton(nullptr);
    }
    dialog.hide();
    const InputBlocker blocker(m_window, &dialog);

    QEventLoop loop;
    std::unique_ptr<QThread> worker(QThread::create(work));
    QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);

    // Past the delay the dialog shows as soon as it has something to say.
    bool due = false;
    const auto refresh = [&dialog, &update, &due] {
        if (update(dialog) && due && !dialog.isVisible())
            dialog.show();
    };
    QTimer poll;
    poll.setInterval(kPollMs);
    QObject::connect(&poll, &QTimer::timeout, &dialog, refresh);
    QTimer reveal;
    reveal.setSingleShot(true);
    QObject::connect(&reveal, &QTimer::timeout, &dialog, [&due, &refresh] {
        due = true;
        refresh();
    });

    worker->start();
    poll.start();
    reveal.start(m_dialogDelayMs);
    loop.exec();
    // Should anything but the worker's end have stopped the loop (the application quitting), the worker still
    // finishes its files first: every file is whole when this returns.
    worker->wait();
}

} // namespace quorvan
