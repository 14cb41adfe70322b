#pragma once

#include "core/storage/CardTransfer.h"

#include <functional>

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

    // The dialog's text for a progress: "Copying NAME — 12.5 of 40.8 MB (30%)".
    static QString progressText(const TextTable& texts, const TransferProgress& progress);
    // How far the bar stands, 0..1000: by bytes, or by files when there are no bytes to count.
    static int progressPermille(const TransferProgress& progress);

private:
    const TextTable& m_texts;
    QWidget* m_window;
    qint64 m_bytesPerSecond = 0;
    int m_dialogDelayMs = 500;
};

} // namespace quorvan
