#include "ui/shell/AboutDialog.h"

#include "core/texts/TextTable.h"

#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorvan {

AboutDialog::AboutDialog(const TextTable& texts, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("关于 Quorvan"));
    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(QStringLiteral(":/icons/quorvan.png")).pixmap(48, 48));
    auto* version = new QLabel(QStringLiteral("Quorvan，1.0 版"), this);
    version->setObjectName(QStringLiteral("version"));
    auto* ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* manual = new QPushButton(texts.text(TextId::ManualMenu), this);
    manual->setObjectName(QStringLiteral("manualButton"));
    connect(manual, &QPushButton::clicked, this, &AboutDialog::manualRequested);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(manual);
    buttons->addStretch(1);
    auto* row = new QHBoxLayout;
    row->addWidget(icon);
    row->addWidget(version, 1);
    row->addLayout(buttons);
    auto* licence = new QLabel(texts.text(TextId::LicenceNotice), this);
    licence->setObjectName(QStringLiteral("licence"));
    licence->setWordWrap(true);
    licence->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(licence);
}

} // namespace quorvan
