#include "app/SetLanguageDlg.h"

#include "app/AppContext.h"
#include "app/Commands.h"
#include "app/DialogUnits.h"
#include "settings/TextTable.h"

#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quorvan {

SetLanguageDlg::SetLanguageDlg(AppContext& context, CommandSink& mainWindow, QWidget* parent)
    : QWidget(parent), m_context(context), m_mainWindow(mainWindow), m_group(new QGroupBox(this)),
      m_english(nullptr), m_chinese(nullptr) {
    resize(dluX(296), dluY(152));
    m_group->setObjectName(QStringLiteral("group%1").arg(kGroupId));
    // Each language is named in its own script, whatever the current language.
    m_english = new QRadioButton(QStringLiteral("English"), m_group);
    m_english->setObjectName(QStringLiteral("radio%1").arg(kEnglishId));
    m_chinese = new QRadioButton(QStringLiteral("简体中文"), m_group);
    m_chinese->setObjectName(QStringLiteral("radio%1").arg(kChineseId));

    auto* groupLayout = new QVBoxLayout(m_group);
    groupLayout->addWidget(m_english);
    groupLayout->addWidget(m_chinese);
    groupLayout->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_group);

    const int language = m_context.texts.language();
    m_english->setChecked(language == int(Language::English));
    m_chinese->setChecked(language == int(Language::Chinese));

    // clicked, not toggled: a click on the radio that is already checked applies and saves again.
    connect(m_english, &QRadioButton::clicked, this, [this] { OnLanguage(true); });
    connect(m_chinese, &QRadioButton::clicked, this, [this] { OnLanguage(false); });

    RefreshTexts();
}

int SetLanguageDlg::RefreshTexts() {
    m_group->setTitle(m_context.texts.Text(96));
    return 1;
}

void SetLanguageDlg::OnLanguage(bool english) {
    if (english)
        m_context.texts.LoadEnglish();
    else
        m_context.texts.LoadChinese();
    m_mainWindow.command(CMD_REFRESH_ALL); // every window re-captions and the display names follow
    m_mainWindow.command(CMD_SAVE_SETTINGS); // the language is used at the next start
}

} // namespace quorvan
