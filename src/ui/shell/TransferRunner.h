#pragma once

#include "core/storage/CardTransfer.h"

#include <functional>

class QProgressDialog;
class QWidget;

namespace quorvan {

class TextTable;

// Runs a card transfer on a worker thread while the window goes on painting and ticking. A transfer that takes
// longer than dialogDelayMs shows a modal progress dialog (file, megabytes done of the total, percent, Cancel);
// a short one shows nothing. Until the transfer ends the window takes no input, so nothing can change the data
// files under it.
class TransferRunner {
public:
    using Transfer = std::function<TransferReport(const TransferOptions&)>;

    explicit TransferRunner(const TextTable& texts, QWidget* window = nullptr);

    // Holds the copies to this rate (0: as fast as the devices go), as a slow card would.
    void setBytesPerSecond(qint64 bytesPerSecond) { m_bytesPerSecond = bytesPerSecond; }
    void setDialogDelay(int ms) { m_dialogDelayMs = ms; }

    // Calls transfer on a worker thread with options that report progress and carry the Cancel button, waits for
    // it while the event loop runs, and returns its report.
    TransferReport run(const Transfer& transfer) const;
    // Calls work on a worker thread the same way; past the delay a dialog says label over a moving bar, with no
    // Cancel: the work puts files back as they were and is not to be stopped half-way (undo, redo, restore).
    void runToEnd(const QString& label, const std::function<void()>& work) const;

    // The dialog's text for a progress: "Copying NAME — 12.5 of 40.8 MB (30%)".
    static QString progressText(const TextTable& texts, const TransferProgress& progress);
    // How far the bar stands, 0..1000: by bytes, or by files when there are no bytes to count.
    static int progressPermille(const TransferProgress& progress);

private:
    // update refreshes the dialog and says whether it has anything to show yet; cancel, when given, is called by
    // the dialog's Cancel.
    void runOnWorker(const std::function<void()>& work, const std::function<bool(QProgressDialog&)>& update,
                     const std::function<void()>& cancel) const;

    const TextTable& m_texts;
    QWidget* m_window;
    qint64 m_bytesPerSecond = 0;
    int m_dialogDelayMs = 500;
};

} // namespace quorvan
