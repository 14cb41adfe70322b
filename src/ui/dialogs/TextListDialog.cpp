#include "ui/dialogs/TextListDialog.h"

#include "core/files/AtomicFile.h"
#include "core/texts/TextTable.h"
#include "ui/common/Messages.h"
#include "ui/common/Prompts.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorvan {

TextListDialog::TextListDialog(const TextTable& texts, Prompts& prompts, const QString& heading,
                               const QStringList& lines, QWidget* parent)
    : QDialog(parent), m_texts(texts), m_prompts(prompts), m_all(heading + u'\n' + lines.join(u'\n') + u'\n'),
      m_text(new QPlainTextEdit(this)) {
    setWindowTitle(QApplication::applicationDisplayName());
    resize(720, 480);
    auto* label = new QLabel(heading, this);
    label->setWordWrap(true);
    label->setBuddy(m_text);
    m_text->setObjectName(QStringLiteral("listText"));
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setPlainText(lines.join(u'\n'));
    auto* copy = new QPushButton(texts.text(TextId::CopyButton), this);
    copy->setObjectName(QStringLiteral("copyButton"));
    auto* save = new QPushButton(texts.text(TextId::SaveAsText), this);
    save->setObjectName(QStringLiteral("saveButton"));
    auto* close = new QPushButton(texts.text(TextId::CloseButton), this);
    for (QPushButton* b : {copy, save, close})
        b->setAutoDefault(false);
    connect(copy, &QPushButton::clicked, this, &TextListDialog::copyAll);
    connect(save, &QPushButton::clicked, this, &TextListDialog::saveAs);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(copy);
    buttons->addWidget(save);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_text, 1);
    layout->addLayout(buttons);
}

void TextListDialog::copyAll() {
    QApplication::clipboard()->setText(m_all);
}

bool TextListDialog::saveAs() {
    const QString path =
        m_prompts.chooseSaveFile(dialogTitle(m_texts, TextId::SaveAsText), m_texts.text(TextId::TextFiles),
                                 QDir::home().filePath(QStringLiteral("missing-songs.txt")));
    if (path.isEmpty())
        return false;
    const SaveResult written = writeFileAtomically(path, m_all.toUtf8());
    if (!written)
        m_prompts.message(m_texts.text(TextId::Warning),
                          m_texts.text(TextId::ListNotSaved) + u'\n' + written.reason(m_texts), Prompts::Icon::Stop);
    return written.ok;
}

} // namespace quorvan
