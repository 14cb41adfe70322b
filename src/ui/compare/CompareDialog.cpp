#include "ui/compare/CompareDialog.h"

#include "core/texts/TextId.h"
#include "core/texts/TextTable.h"
#include "ui/common/ListSupport.h"
#include "ui/compare/ComparisonView.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

namespace quorvan {

CompareDialog::CompareDialog(const TextTable& texts, const NameTables& names, const QString& beforeCaption,
                             const ComparedFile& before, const QString& afterCaption, const ComparedFile& after,
                             DocumentKind kind, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("compareDialog"));
    setWindowTitle(texts.text(TextId::CompareTitle).arg(beforeCaption, afterCaption));
    // Two lists side by side want the width of the screen.
    const QRect screen = (parent ? parent->screen() : QGuiApplication::primaryScreen())->availableGeometry();
    resize(std::min(1240, screen.width() * 19 / 20), std::min(640, screen.height() * 9 / 10));
    m_view = new ComparisonView(texts, names, this);
    m_view->showComparison(beforeCaption, before, afterCaption, after, kind);
    m_close = makeButton(this, QStringLiteral("closeButton"), texts.text(TextId::Close));
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_view, 1);
    layout->addLayout(buttons);
}

} // namespace quorvan
