#pragma once

#include <QDateTime>
#include <QString>

#include <array>

namespace quorvan {

class TextTable;
struct SettingValue;

// The language to start with, from [LanguageSelect] ID: a present value of 0..3 is taken (1 English, the others
// Chinese); a missing, empty, negative or larger value gives Chinese. Returns 1 or 2.
int startLanguage(const SettingValue& id);

// The four parts of the main window's status bar: the document being edited, whether the music player plays,
// an empty part, and the clock.
std::array<QString, 4> statusBarTexts(const TextTable& texts, const QString& documentCaption, bool musicPlaying,
                                      const QDateTime& now);

} // namespace quorvan

namespace quorvan {
struct SaveResult;
// The warning shown when a document or settings file cannot be written: what was lost, then the file and reason.
QString saveFailureText(const TextTable& texts, const SaveResult& result);
} // namespace quorvan
